#pragma once

#include <QIcon>

namespace velmora::platform {

// The program's icon in every size that desktop/ holds, built into the
// executable so that a program run from its build folder has it too.
QIcon ProgramIcon();

// The application's icon: every window without one of its own, the frame,
// its sub-windows and the message boxes, shows the program's.
void InstallProgramIcon();

}  // namespace velmora::platform
