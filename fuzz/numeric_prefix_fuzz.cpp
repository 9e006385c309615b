// NumericPrefix on any text, followed by what the controller's two text
// boxes make of the number (a capacity in units of 10,000, a 16-bit interval)
// and by the number texts that show it again.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "model/Failure.h"
#include "model/NumberText.h"
#include "model/Numbers.h"

namespace {

using velmora::Failure;
using velmora::HeadCount;
using velmora::Int16;

[[noreturn]] void Broken(const char* rule, double value) {
  std::fprintf(stderr, "broken: %s (value %.17g)\n", rule, value);
  std::abort();
}

void Check(bool ok, const char* rule, double value) {
  if (!ok) Broken(rule, value);
}

bool IsSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// A sign in front of a number that starts with a digit or a point negates
// it exactly.
void CheckSign(std::string_view text, double value) {
  std::size_t i = 0;
  while (i < text.size() && IsSkipped(text[i])) ++i;
  if (i == text.size() || !((text[i] >= '0' && text[i] <= '9') || text[i] == '.')) return;
  const std::string body(text);
  Check(velmora::NumericPrefix("-" + body) == -value, "a minus sign negates the number", value);
  Check(velmora::NumericPrefix("+" + body) == value, "a plus sign keeps the number", value);
}

// The capacity box: the number times 10,000 as a head count, an overflow
// when it does not fit.
void CheckCapacity(double value) {
  const double persons = value * 10'000;
  bool overflowed = false;
  HeadCount capacity;
  try {
    capacity = HeadCount::FromDouble(persons);
  } catch (const Failure& failure) {
    Check(failure.code == velmora::kOverflow, "a head count conversion fails only by overflow", value);
    overflowed = true;
  }
  if (std::isnan(persons) || std::fabs(persons) > 9.3e14) {
    Check(overflowed, "a number beyond the head-count range overflows", value);
    return;
  }
  if (std::fabs(persons) < 9.2e14) Check(!overflowed, "a number inside the head-count range converts", value);
  if (overflowed) return;
  const double error = std::fabs(capacity.ToDouble() - persons);
  Check(error <= 0.00005 + std::fabs(persons) * 0x1.0p-51, "a head count is the number to four decimals", value);
  const std::string text = velmora::FormatThousands(capacity);
  std::string digits;
  for (char c : text) {
    if (c != ',') digits.push_back(c);
  }
  Check(digits == std::to_string(velmora::FloorPersons(capacity)), "separators are all that is added", value);
}

// The interval box: rounded half to even into 16 bits, an overflow outside.
void CheckInterval(double value) {
  bool overflowed = false;
  Int16 rounded;
  try {
    rounded = Int16::Round(value);
  } catch (const Failure& failure) {
    Check(failure.code == velmora::kOverflow, "a 16-bit rounding fails only by overflow", value);
    overflowed = true;
  }
  if (value > -32768.5 && value < 32767.5) {
    Check(!overflowed, "a number inside the 16-bit range rounds", value);
    Check(std::fabs(int{rounded} - value) <= 0.5, "rounding moves by half a unit at most", value);
  } else if (!(value >= -32769.0 && value <= 32768.0)) {
    Check(overflowed, "a number beyond the 16-bit range overflows", value);
  }
}

// FloatText keeps seven significant digits of every finite float.
void CheckFloatText(double value) {
  if (!(std::fabs(value) <= std::numeric_limits<float>::max())) return;
  const float x = static_cast<float>(value);
  const std::string text = velmora::FloatText(x);
  Check(!text.empty(), "a float has a text", value);
  std::string parsable = text;
  for (char& c : parsable) {
    if (c == 'E') c = 'e';
  }
  const double back = std::strtod(parsable.c_str(), nullptr);
  Check(std::fabs(back - x) <= std::fabs(static_cast<double>(x)) * 5.000001e-7, "seven significant digits", value);
  (void)velmora::FormatThousands(x);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const double value = velmora::NumericPrefix(text);
  Check(!std::isnan(value), "no text reads as NaN", value);
  CheckSign(text, value);
  CheckCapacity(value);
  CheckInterval(value);
  CheckFloatText(value);
  return 0;
}
