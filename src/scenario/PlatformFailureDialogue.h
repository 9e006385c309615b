#pragma once

#include "scenario/core/FailureDialogue.h"

namespace velmora {

// The failure dialogue as a modal Yes/No box with the exclamation icon.
class PlatformFailureDialogue final : public FailureDialogue {
 public:
  DialogueChoice Ask(int code) override;
};

}  // namespace velmora
