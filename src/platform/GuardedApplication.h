#pragma once

#include <QApplication>

namespace velmora::platform {

// The application object. No failure reaches the event loop: a
// velmora::Failure (or any std::exception) that escapes an event handler is
// shown as the unexpected-error message and the program carries on with the
// next event. Anything else (a test's program end) passes through untouched.
class GuardedApplication : public QApplication {
  Q_OBJECT
 public:
  GuardedApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace velmora::platform
