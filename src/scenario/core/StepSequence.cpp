#include "scenario/core/StepSequence.h"

#include "model/Failure.h"

namespace velmora {

SequenceEnd StepSequence::Run(FailureDialogue& dialogue) const {
  for (const Step& step : steps_) {
    for (;;) {
      int code = 0;
      try {
        if (step() == StepResult::Stop) return SequenceEnd::Stopped;
        break;
      } catch (const Failure& failure) {
        code = failure.code;
      }
      // Asked outside the handler: the box runs a nested event loop.
      const DialogueChoice choice = dialogue.Ask(code);
      if (choice == DialogueChoice::EndProgram) return SequenceEnd::ProgramEnded;
      if (choice == DialogueChoice::Skip) break;
    }
  }
  return SequenceEnd::Completed;
}

}  // namespace velmora
