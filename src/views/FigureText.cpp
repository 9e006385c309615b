#include "views/FigureText.h"

#include <cmath>

#include "model/NumberText.h"
#include "views/PyramidCaptions.h"

namespace velmora {

std::vector<HeadCount> ScaleMarks(HeadCount full) {
  std::vector<HeadCount> marks;
  if (full <= HeadCount()) return marks;
  // In raw units (1/10,000 of a person), so that every mark is exact. The
  // first round step with at most ten intervals has at least four: the one
  // before it had more than ten and the steps grow at most 2.5-fold.
  // Wide arithmetic: the steps near the range's end pass it.
  const __int128 raw = full.Raw();
  __int128 step = 1;
  for (__int128 power = 1; raw / step > 10; power *= 10) {
    for (const int tenths : {10, 20, 25, 50}) {
      if (power * tenths % 10 != 0) continue;
      step = power * tenths / 10;
      if (raw / step <= 10) break;
    }
  }
  for (__int128 k = 0; k <= raw / step; ++k) marks.push_back(HeadCount::FromRaw(static_cast<int64_t>(k * step)));
  if (raw % step != 0) marks.push_back(full);
  return marks;
}

std::string VariationMenuName(int code) {
  if (code < 0 || code >= static_cast<int>(pyramid_text::kCaptionMoveFunc.size())) return std::to_string(code);
  std::string name = pyramid_text::kCaptionMoveFunc[code];
  const std::size_t key = name.rfind("(&");
  if (key != std::string::npos) name.erase(key);
  return name;
}

std::string TitleLine(const FigureTitle& title) {
  std::string line;
  if (!title.subject.empty()) line = title.subject + "　";
  line += "西暦" + std::to_string(title.startYear + title.elapsed) + "年の人口";
  line += title.elapsed == 0 ? std::string("（開始時）") : "（開始から" + std::to_string(title.elapsed) + "年目）";
  return line;
}

std::string RatesLine(const FigureTitle& title) {
  return "総人口 " + FormatThousands(title.total) + "　老齢率 " + FloatText(title.elderRatio) + "%　特殊出生率 " +
         FloatText(title.fertilityRate) + "（" + VariationMenuName(title.birthsVariation) + "）　平均死亡率 " +
         FloatText(title.meanDeathRate) + "（" + VariationMenuName(title.deathsVariation) + "）";
}

}  // namespace velmora
