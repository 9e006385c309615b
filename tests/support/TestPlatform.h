#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace velmora::testing {

// Thrown by TestPlatform::EndProgram so that a test sees the program end
// without the process stopping.
struct ProgramEnded {};

// A platform that answers message boxes from a queue, records every box and
// beep, and turns "end the program" into a ProgramEnded exception. Installed
// for its lifetime.
class TestPlatform final : public platform::Platform {
 public:
  struct Box {
    std::string text;
    std::string title;
    platform::Buttons buttons;
    platform::Icon icon;
  };

  TestPlatform();
  ~TestPlatform() override;

  platform::Answer ShowMessage(const std::string& text, const std::string& title, platform::Buttons buttons,
                               platform::Icon icon) override;
  void Beep() override { ++beeps; }
  // Answers the save dialog from savePaths (empty: cancelled) and notes
  // what it was asked.
  std::string AskSavePath(const std::string& title, const std::string& suggested, const std::string& filter) override;
  [[noreturn]] void EndProgram() override;

  // Answers for the next Yes/No boxes, in order; when empty, No.
  std::deque<platform::Answer> answers;
  std::vector<Box> boxes;
  struct SaveDialog {
    std::string title;
    std::string suggested;
    std::string filter;
  };
  std::deque<std::string> savePaths;
  std::vector<SaveDialog> saveDialogs;
  int beeps = 0;
  int programEnds = 0;
};

}  // namespace velmora::testing
