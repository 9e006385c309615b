#include <gtest/gtest.h>

#include "platform/Platform.h"

namespace velmora {
namespace {

TEST(Twips, FifteenTwipsMakeOnePixelAtNinetySixDpi) {
  EXPECT_EQ(platform::TwipsToPixels(6405), 427);
  EXPECT_EQ(platform::TwipsToPixels(255), 17);
  EXPECT_EQ(platform::PixelsToTwips(494), 7410);
}

}  // namespace
}  // namespace velmora
