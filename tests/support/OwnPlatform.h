#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace velmora::testing {

// Test and benchmark programs draw on their own screen: the offscreen
// platform with the given configuration (1920x1080 at 96 dpi), whatever the
// caller's environment says. Must run before the application is created.
// Settings that would scale or restyle the windows are dropped too, so that
// pixel sizes mean the same on every machine.
inline void UseOwnOffscreenPlatform(const char* configFile) {
  qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + configFile);
  for (const char* name : {"QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ENABLE_HIGHDPI_SCALING",
                           "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_FONT_DPI", "QT_STYLE_OVERRIDE", "QT_QPA_PLATFORMTHEME"}) {
    qunsetenv(name);
  }
}

}  // namespace velmora::testing
