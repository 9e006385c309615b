#include "platform/Twips.h"

#include <QRect>

namespace velmora::platform {

int TwipsToPixels(int twips) { return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15); }
int PixelsToTwips(int pixels) { return pixels * 15; }

QRect TwipsToPixels(const TwipRect& rect) {
  return {TwipsToPixels(rect.Left), TwipsToPixels(rect.Top), TwipsToPixels(rect.Width), TwipsToPixels(rect.Height)};
}

TwipRect PixelsToTwips(const QRect& rect) {
  return {PixelsToTwips(rect.x()), PixelsToTwips(rect.y()), PixelsToTwips(rect.width()), PixelsToTwips(rect.height())};
}

}  // namespace velmora::platform
