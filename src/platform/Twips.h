#pragma once

class QRect;

namespace velmora {

// A window's Left, Top, Width and Height in twips (1/1440 inch): position in
// the frame's client area, outer size including borders and caption.
struct TwipRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TwipRect&, const TwipRect&) = default;
};

namespace platform {

// Twips to pixels at 96 dpi: 15 twips per pixel, rounded to the nearest
// pixel. The one place where the conversion is made.
int TwipsToPixels(int twips);
int PixelsToTwips(int pixels);
QRect TwipsToPixels(const TwipRect& rect);
TwipRect PixelsToTwips(const QRect& rect);

}  // namespace platform
}  // namespace velmora
