// Velmora: the application object, the one model instance and the frame.
#include <QTimer>
#include <cstdio>
#include <memory>

#include "frame/MDIFormMain.h"
#include "model/ModulePopulation.h"
#include "platform/GuardedApplication.h"
#include "platform/Platform.h"

int main(int argc, char** argv) {
  // Without a display Qt would abort with a long diagnostic; say it in one line.
  if (!velmora::platform::HasDisplay()) {
    std::fprintf(stderr, "%s\n", velmora::platform::NoDisplayMessage(argc > 0 ? argv[0] : "velmora").c_str());
    return 1;
  }
  velmora::platform::GuardedApplication app(argc, argv);
  velmora::platform::InstallJapaneseButtons(app);
  velmora::platform::InstallFontSubstitutions();

  auto model = std::make_unique<velmora::ModulePopulation>();
  velmora::MDIFormMain frame(*model);
  // Opened from the event loop, so that the failure guard covers its load
  // handling too.
  QTimer::singleShot(0, &frame, &velmora::MDIFormMain::OpenFrame);
  app.exec();
  frame.MDIForm_Terminate();
}
