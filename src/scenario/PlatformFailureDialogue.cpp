#include "scenario/PlatformFailureDialogue.h"

#include "platform/Platform.h"

namespace velmora {

DialogueChoice PlatformFailureDialogue::Ask(int code) {
  const FailureMessage message = MessageForFailure(code);
  const platform::Answer answer = platform::Current().ShowMessage(message.text, message.title, platform::Buttons::YesNo,
                                                                  platform::Icon::Exclamation);
  return answer == platform::Answer::Yes ? message.yes : message.no;
}

}  // namespace velmora
