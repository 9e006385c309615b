#pragma once

#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "scenario/core/FailureDialogue.h"

namespace velmora {

// One step of a file operation. Next goes on with the following step; Stop
// ends the operation quietly (a list without a usable selection).
enum class StepResult { Next, Stop };
using Step = std::function<StepResult()>;

// A step that does its work and goes on (unless it fails).
inline Step Action(std::function<void()> work) {
  return [work = std::move(work)] {
    work();
    return StepResult::Next;
  };
}

enum class SequenceEnd { Completed, Stopped, ProgramEnded };

// Runs the steps in order under the failure dialogue: a step that raises a
// Failure is retried from its beginning, skipped as if it had completed, or
// ends everything at once, as the user chooses.
class StepSequence {
 public:
  StepSequence(std::initializer_list<Step> steps) : steps_(steps) {}
  SequenceEnd Run(FailureDialogue& dialogue) const;

 private:
  std::vector<Step> steps_;
};

}  // namespace velmora
