// Prints the program folder as the desktop program sees it (the folder whose
// Data sub-folder holds the presets). The install test starts it through a
// link, as the installed bin/velmora is started.
#include <QCoreApplication>
#include <cstdio>

#include "platform/Platform.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::printf("%s\n", velmora::platform::ProgramFolder().c_str());
}
