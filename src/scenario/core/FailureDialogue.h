#pragma once

#include <string>

namespace velmora {

// What the user chose in the box shown after a failed step.
enum class DialogueChoice { Retry, Skip, EndProgram };

// The box for a failure code: two lines joined by a carriage return, a
// title, and what its Yes and No buttons mean. The file-system codes offer
// Retry / Skip; every other code offers Skip / end the program. Leaving a box
// by Esc or its close button always skips: only an explicit No ends the
// program.
struct FailureMessage {
  std::string text;
  std::string title;
  DialogueChoice yes;
  DialogueChoice no;
  DialogueChoice dismissed = DialogueChoice::Skip;
};

FailureMessage MessageForFailure(int code);

// Asks the user what to do about a failed step (a modal Yes/No box).
class FailureDialogue {
 public:
  virtual ~FailureDialogue() = default;
  virtual DialogueChoice Ask(int code) = 0;
};

}  // namespace velmora
