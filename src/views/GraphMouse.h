#pragma once

#include <Qt>

namespace velmora {

// Mouse buttons and modifier keys as the handlers take them: buttons 1 left,
// 2 right, 4 middle (a move passes the set held); shift 1 Shift, 2 Ctrl,
// 4 Alt, so that 1 means Shift alone.
inline int MouseButtonCode(Qt::MouseButtons buttons) {
  return (buttons.testFlag(Qt::LeftButton) ? 1 : 0) | (buttons.testFlag(Qt::RightButton) ? 2 : 0) |
         (buttons.testFlag(Qt::MiddleButton) ? 4 : 0);
}

inline int ShiftCode(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace velmora
