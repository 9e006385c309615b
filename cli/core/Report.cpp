#include "cli/core/Report.h"

#include <utility>
#include <vector>

#include "report/Cells.h"

namespace velmora::cli {
namespace {

using report::Cell;
using report::CsvCell;
using report::JsonValue;
using report::Real;
using report::Single;
using report::Stable;

// info's figures, in the order of its columns.
std::vector<std::pair<const char*, Cell>> InfoCells(const InfoReport& r) {
  std::vector<std::pair<const char*, Cell>> cells = {
      {"tfr", Single(r.fertilityRate)},
      {"e0_men", Real(r.period.lifeExpectancy[0])},
      {"e0_women", Real(r.period.lifeExpectancy[1])},
      {"nrr", Real(r.period.netReproduction)},
      {"growth_factor", Real(r.period.growthFactor)},
      {"growth_rate", Real(r.period.growthRate)},
      {"stable_child_share", Stable(r.period, kChildren)},
      {"stable_adult_share", Stable(r.period, kAdults)},
      {"stable_elder_share", Stable(r.period, kElders)},
  };
  if (!r.population.empty()) {
    cells.insert(cells.end(), {{"mean_death_rate", Single(r.meanDeathRate)},
                               {"median_age", Real(r.people.medianAge)},
                               {"mean_age", Real(r.people.meanAge)},
                               {"old_age_dependency", Real(r.people.oldAgeDependency)},
                               {"total_dependency", Real(r.people.totalDependency)}});
  }
  return cells;
}

}  // namespace

std::string InfoCsv(const InfoReport& report) {
  const auto cells = InfoCells(report);
  std::string header;
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    header += (i ? "," : "") + std::string(cells[i].first);
    line += (i ? "," : "") + CsvCell(cells[i].second);
  }
  return header + "\n" + line + "\n";
}

std::string InfoJson(const InfoReport& report) {
  std::string text = JsonHead();
  text += "  \"inputs\": {\"rates\": " + JsonString(report.rates);
  if (!report.population.empty()) text += ", \"population\": " + JsonString(report.population);
  text += "},\n  \"indicators\": {";
  bool first = true;
  for (const auto& [name, cell] : InfoCells(report)) {
    text += (first ? "" : ", ") + JsonString(name) + ": " + JsonValue(cell);
    first = false;
  }
  return text + "}\n}\n";
}

}  // namespace velmora::cli
