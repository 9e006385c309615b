#include "platform/Twips.h"

#include <gtest/gtest.h>

#include <QRect>

namespace velmora {
namespace {

TEST(Twips, FifteenTwipsMakeOnePixelAtNinetySixDpi) {
  EXPECT_EQ(platform::TwipsToPixels(6405), 427);
  EXPECT_EQ(platform::TwipsToPixels(255), 17);
  EXPECT_EQ(platform::PixelsToTwips(494), 7410);
}

TEST(Twips, RectanglesConvertFieldByFieldWithTheSameRounding) {
  struct Case {
    TwipRect twips;
    QRect pixels;
  };
  const Case cases[] = {
      {{0, 0, 0, 0}, {0, 0, 0, 0}},
      {{15, 30, 7410, 1050}, {1, 2, 494, 70}},
      {{7, 8, 22, 23}, {0, 1, 1, 2}},             // under half a pixel rounds down, over half up
      {{-7, -8, 6405, 4500}, {0, -1, 427, 300}},  // negative positions round symmetrically
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::TwipsToPixels(c.twips), c.pixels)
        << c.twips.Left << "," << c.twips.Top << "," << c.twips.Width << "," << c.twips.Height;
  }
  // Back from pixels: 15 twips each, exactly.
  EXPECT_EQ(platform::PixelsToTwips(QRect(1, 2, 494, 70)), (TwipRect{15, 30, 7410, 1050}));
}

}  // namespace
}  // namespace velmora
