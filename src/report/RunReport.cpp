#include "report/RunReport.h"

#include <functional>
#include <vector>

#include "model/VariationNames.h"
#include "report/Cells.h"

namespace velmora {
namespace {

using report::Cell;
using report::Count;
using report::CsvCell;
using report::JsonValue;
using report::Number;
using report::Real;
using report::Single;
using report::Stable;

struct Column {
  const char* name;
  std::function<Cell(const YearFigures&)> value;
};

const std::vector<Column>& RunColumns() {
  static const std::vector<Column> columns = {
      {"year", [](const YearFigures& f) { return Number(std::to_string(f.year)); }},
      {"elapsed", [](const YearFigures& f) { return Number(std::to_string(f.elapsed)); }},
      {"total", [](const YearFigures& f) { return Count(f.census.Total); }},
      {"men_0_15", [](const YearFigures& f) { return Count(f.census.GroupSum(0, kChildren)); }},
      {"men_16_64", [](const YearFigures& f) { return Count(f.census.GroupSum(0, kAdults)); }},
      {"men_65_99", [](const YearFigures& f) { return Count(f.census.GroupSum(0, kElders)); }},
      {"women_0_15", [](const YearFigures& f) { return Count(f.census.GroupSum(1, kChildren)); }},
      {"women_16_64", [](const YearFigures& f) { return Count(f.census.GroupSum(1, kAdults)); }},
      {"women_65_99", [](const YearFigures& f) { return Count(f.census.GroupSum(1, kElders)); }},
      {"elder_ratio_percent", [](const YearFigures& f) { return Single(f.elderRatio); }},
      {"elder_share", [](const YearFigures& f) { return Real(f.elderShare); }},
      {"tfr", [](const YearFigures& f) { return Single(f.fertilityRate); }},
      {"mean_death_rate", [](const YearFigures& f) { return Single(f.meanDeathRate); }},
      {"e0_men", [](const YearFigures& f) { return Real(f.period.lifeExpectancy[0]); }},
      {"e0_women", [](const YearFigures& f) { return Real(f.period.lifeExpectancy[1]); }},
      {"nrr", [](const YearFigures& f) { return Real(f.period.netReproduction); }},
      {"growth_rate", [](const YearFigures& f) { return Real(f.period.growthRate); }},
      {"stable_elder_share", [](const YearFigures& f) { return Stable(f.period, kElders); }},
      {"median_age", [](const YearFigures& f) { return Real(f.population.medianAge); }},
      {"mean_age", [](const YearFigures& f) { return Real(f.population.meanAge); }},
      {"old_age_dependency", [](const YearFigures& f) { return Real(f.population.oldAgeDependency); }},
      {"total_dependency", [](const YearFigures& f) { return Real(f.population.totalDependency); }},
  };
  return columns;
}

const char* EndName(RunEnd end) {
  switch (end) {
    case RunEnd::kCompleted:
      return "completed";
    case RunEnd::kDiedOut:
      return "died out";
    case RunEnd::kExploded:
      return "exploded";
  }
  return "";
}

}  // namespace

std::string JsonHead() {
  return std::string("{\n  \"program\": \"velmora-cli\",\n  \"version\": ") + JsonString(VELMORA_VERSION) +
         ",\n  \"credit\": " + JsonString(kDataCredit) + ",\n";
}

std::string RunCsv(const RunOutcome& outcome) {
  const auto& columns = RunColumns();
  std::string text;
  for (std::size_t i = 0; i < columns.size(); ++i) text += (i ? "," : "") + std::string(columns[i].name);
  text += '\n';
  for (const YearFigures& f : outcome.years) {
    for (std::size_t i = 0; i < columns.size(); ++i) text += (i ? "," : "") + CsvCell(columns[i].value(f));
    text += '\n';
  }
  return text;
}

std::string RunJson(const RunDescription& d, const RunOutcome& outcome) {
  std::string text = JsonHead();
  text += "  \"inputs\": {\"population\": " + JsonString(d.population) +
          ", \"start_rates\": " + JsonString(d.startRates) + ", \"end_rates\": " + JsonString(d.endRates) +
          ", \"births_variation\": " + JsonString(VariationName(d.birthsVariation)) +
          ", \"deaths_variation\": " + JsonString(VariationName(d.deathsVariation)) +
          ", \"years\": " + std::to_string(d.years) + ", \"start_year\": " + std::to_string(d.startYear) + "},\n";
  text += "  \"end\": " + JsonString(EndName(outcome.end)) + ",\n  \"rows\": [";
  const auto& columns = RunColumns();
  for (std::size_t r = 0; r < outcome.years.size(); ++r) {
    text += r ? ",\n    {" : "\n    {";
    for (std::size_t i = 0; i < columns.size(); ++i) {
      text += (i ? ", " : "") + JsonString(columns[i].name) + ": " + JsonValue(columns[i].value(outcome.years[r]));
    }
    text += "}";
  }
  text += outcome.years.empty() ? "]\n}\n" : "\n  ]\n}\n";
  return text;
}

std::string JsonString(std::string_view text) {
  std::string out = "\"";
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      static constexpr char kHex[] = "0123456789abcdef";
      switch (c) {
        case '\n':
          out += "\\n";
          break;
        case '\r':
          out += "\\r";
          break;
        case '\t':
          out += "\\t";
          break;
        default:
          out += std::string("\\u00") + kHex[c >> 4] + kHex[c & 15];
      }
      ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else {
      // A whole UTF-8 sequence passes; anything else becomes U+FFFD.
      const int length = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c <= 0xDF ? 2 : 0;
      bool valid = length > 0 && i + length <= text.size();
      for (int k = 1; valid && k < length; ++k) valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
      if (valid && length == 3) {
        const auto second = static_cast<unsigned char>(text[i + 1]);
        valid = !(c == 0xE0 && second < 0xA0) && !(c == 0xED && second >= 0xA0);  // overlong, surrogates
      }
      if (valid && length == 4) {
        const auto second = static_cast<unsigned char>(text[i + 1]);
        valid = !(c == 0xF0 && second < 0x90) && !(c == 0xF4 && second >= 0x90);
      }
      if (valid) {
        out.append(text.substr(i, length));
        i += length;
      } else {
        out += "\xEF\xBF\xBD";
        ++i;
      }
    }
  }
  return out + "\"";
}

}  // namespace velmora
