// The main of every test program that drives real windows: an application
// on the offscreen platform with a 1920x1080 screen at 96 dpi, the design's
// fonts mapped to installed faces, then GoogleTest.
#include <QApplication>
#include <gtest/gtest.h>

#include "platform/Platform.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + VELMORA_OFFSCREEN_CONFIG);
  }
  QApplication app(argc, argv);
  velmora::platform::InstallFontSubstitutions();
  return RUN_ALL_TESTS();
}
