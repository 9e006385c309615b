#pragma once

#include <cstdlib>
#include <string>

#include "platform/Platform.h"

namespace velmora::bench {

// Message boxes must never block a measurement: every box gets the same
// answer at once, and is counted.
class SilentPlatform final : public platform::Platform {
 public:
  explicit SilentPlatform(platform::Answer answer = platform::Answer::Ok) : answer_(answer) {}
  platform::Answer ShowMessage(const std::string&, const std::string&, platform::Buttons, platform::Icon) override {
    ++boxes;
    return answer_;
  }
  void Beep() override {}
  [[noreturn]] void EndProgram() override { std::abort(); }
  int boxes = 0;

 private:
  platform::Answer answer_;
};

}  // namespace velmora::bench
