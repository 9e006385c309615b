// The main of every test program that drives real windows: the program's
// guarded application on the offscreen platform with a 1920x1080 screen at
// 96 dpi, Japanese dialog buttons, the design's fonts mapped to installed
// faces, then GoogleTest.
#include <gtest/gtest.h>

#include "platform/GuardedApplication.h"
#include "platform/Platform.h"
#include "support/OwnPlatform.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  velmora::testing::UseOwnOffscreenPlatform(VELMORA_OFFSCREEN_CONFIG);
  velmora::platform::GuardedApplication app(argc, argv);
  velmora::platform::InstallJapaneseButtons(app);
  velmora::platform::InstallFontSubstitutions();
  return RUN_ALL_TESTS();
}
