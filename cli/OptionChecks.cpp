#include "cli/OptionChecks.h"

#include "presets/Decimal.h"

namespace velmora::cli {

CLI::Validator WholeNumber(int min, int max, int step) {
  const std::string range =
      step == 1 ? std::to_string(min) + ".." + std::to_string(max)
                : std::to_string(min) + ", " + std::to_string(min + step) + ", ..., " + std::to_string(max);
  return CLI::Validator(
      [=](std::string& text) -> std::string {
        const auto value = presets::ParseWhole(text, min, max);
        // Raw: main() escapes the whole message once.
        if (!value || (*value - min) % step != 0) return "\"" + text + "\" is not one of " + range;
        text = std::to_string(*value);
        return {};
      },
      "NUMBER in " + range, "WholeNumber");
}

CLI::Validator OutputPath() {
  return CLI::Validator(
      [](std::string& text) -> std::string {
        return text.empty() ? std::string("an empty file name (\"-\" is standard output)") : std::string();
      },
      "", "OutputPath");
}

}  // namespace velmora::cli
