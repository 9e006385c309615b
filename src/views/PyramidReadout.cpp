#include "views/PyramidReadout.h"

#include "model/NumberText.h"
#include "views/PyramidGeometry.h"

namespace velmora {
namespace {

std::string ClassText(Int16 sex, int ageClass) {
  std::string text = sex == 0 ? "Men; " : "Women; ";
  text += "Age " + std::to_string(5 * ageClass) + "-" + std::to_string(5 * ageClass + 4) + " = ";
  return text;
}

}  // namespace

std::string EditText(Int16 sex, int ageClass, HeadCount value, HeadCount fullScale) {
  return ClassText(sex, ageClass) + FormatThousands(value) + " / " + FormatThousands(fullScale);
}

std::string ReadoutText(const ModulePopulation& m, Int16 sex, int ageClass) {
  const WorldRecord& shown = m.WorldHistory[m.SelectedYear];
  std::string text = ClassText(sex, ageClass);
  switch (m.PyramidContent) {
    case kContentBirths: {
      // The birth rates of the year looked at.
      const int period = ReadablePeriod(m.SelectedYear / 5);
      text += FormatThousands(shown.BirthRate(period, ageClass));
      break;
    }
    case kContentDeaths:
      text += FormatThousands(shown.DeathRate(EditedPeriod(m), sex, ageClass));
      break;
    default:
      text += FormatThousands(ClassSum(shown, sex, ageClass));
      break;
  }
  if (m.PyramidContent == kContentRelative) {
    text += " (A.D." + std::to_string(static_cast<int>(m.StartYear + m.SelectedYear)) + ")";
  } else {
    text += " / " + FormatThousands(m.FullScale);
  }
  return text;
}

}  // namespace velmora
