#include "support/TestPlatform.h"

namespace velmora::testing {

TestPlatform::TestPlatform() { platform::SetCurrent(this); }
TestPlatform::~TestPlatform() { platform::SetCurrent(nullptr); }

platform::Answer TestPlatform::ShowMessage(const std::string& text, const std::string& title, platform::Buttons buttons,
                                           platform::Icon icon) {
  boxes.push_back({text, title, buttons, icon});
  if (buttons == platform::Buttons::Ok) return platform::Answer::Ok;
  if (answers.empty()) return platform::Answer::No;
  const platform::Answer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::string TestPlatform::AskSavePath(const std::string& title, const std::string& suggested,
                                      const std::string& filter) {
  saveDialogs.push_back({title, suggested, filter});
  if (savePaths.empty()) return {};
  std::string path = savePaths.front();
  savePaths.pop_front();
  return path;
}

void TestPlatform::EndProgram() {
  ++programEnds;
  throw ProgramEnded{};
}

}  // namespace velmora::testing
