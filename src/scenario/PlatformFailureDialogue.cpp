#include "scenario/PlatformFailureDialogue.h"

#include "platform/Platform.h"

namespace velmora {

DialogueChoice PlatformFailureDialogue::Ask(int code) {
  const FailureMessage message = MessageForFailure(code);
  const platform::Answer answer = platform::Current().ShowMessage(message.text, message.title, platform::Buttons::YesNo,
                                                                  platform::Icon::Exclamation);
  switch (answer) {
    case platform::Answer::Yes:
      return message.yes;
    case platform::Answer::No:
      return message.no;
    default:
      return message.dismissed;
  }
}

}  // namespace velmora
