#include "platform/ProgramIcon.h"

#include <QApplication>

namespace velmora::platform {

QIcon ProgramIcon() {
  QIcon icon;
  for (const char* size : {"16x16", "32x32", "48x48", "64x64", "128x128", "256x256"}) {
    icon.addFile(QString(":/velmora/icons/%1/velmora.png").arg(QLatin1String(size)));
  }
  return icon;
}

void InstallProgramIcon() { QApplication::setWindowIcon(ProgramIcon()); }

}  // namespace velmora::platform
