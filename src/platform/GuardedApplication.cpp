#include "platform/GuardedApplication.h"

#include <exception>

#include "model/Failure.h"
#include "platform/Platform.h"

namespace velmora::platform {

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool GuardedApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const Failure& failure) {
    ShowUnexpectedError(failure.code);
  } catch (const std::exception&) {
    // Not one of the system's own failures: report it as an invalid call.
    ShowUnexpectedError(kInvalidCall);
  }
  return false;
}

}  // namespace velmora::platform
