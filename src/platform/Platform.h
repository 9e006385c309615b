#pragma once

#include <string>

#include "platform/Twips.h"

class QCoreApplication;
class QFont;

namespace velmora::platform {

enum class Buttons { Ok, YesNo };
enum class Icon { Information, Exclamation };
// Dismissed: the box was closed by Esc or its close button without a choice;
// the caller decides what that stands for.
enum class Answer { Ok, Yes, No, Dismissed };

// Everything the program asks of the desktop besides windows: modal message
// boxes, the beep and ending the process. The real implementation uses Qt;
// a test installs its own to answer dialogs and observe beeps and program
// ends without blocking.
class Platform {
 public:
  virtual ~Platform() = default;
  // text may hold two lines joined by a carriage return (code 13).
  virtual Answer ShowMessage(const std::string& text, const std::string& title, Buttons buttons, Icon icon) = 0;
  virtual void Beep() = 0;
  // Stop the process at once: no close handling, nothing saved. A test's
  // implementation throws instead of returning.
  [[noreturn]] virtual void EndProgram() = 0;
};

// The platform in force: the real one unless a test has installed another.
Platform& Current();
// Install a replacement (nullptr restores the real one).
void SetCurrent(Platform* platform);

// The design's font names resolve to installed metric-compatible faces.
void InstallFontSubstitutions();
// A font by the design's name ("ＭＳ 明朝", "ＭＳ Ｐゴシック", "Times New Roman").
QFont DesignFont(const char* name, double pointSize, bool bold);

// Japanese texts on the standard dialog buttons (はい, いいえ, OK); false
// when the translation is not installed.
bool InstallJapaneseButtons(QCoreApplication& app);

// Whether a windowing system can be reached: an explicit Qt platform, or an
// X11 or Wayland display.
bool HasDisplay();
// The one line printed instead of starting without a display.
std::string NoDisplayMessage(const std::string& program);

// The folder that holds the program's executable, without a trailing
// separator.
std::string ProgramFolder();

// The last-resort message for a failure that no handler trapped.
void ShowUnexpectedError(int code);

}  // namespace velmora::platform
