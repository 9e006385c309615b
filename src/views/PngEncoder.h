#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <functional>

namespace velmora {

// A picture as PNG bytes (8-bit RGB, no alpha), tuned for the program's
// pictures: large areas of one colour, where the encoder's usual search for
// the best row filter costs three times the time for a file a third
// smaller. Empty when the picture cannot be encoded.
QByteArray EncodePng(const QImage& image);

// Draws the rows top .. top + rows - 1 of a picture and gives them as the
// first rows of a picture in any format. The picture must stay valid and
// unchanged until the call after the next: a strip is still being encoded
// while the next one is drawn.
using PngStrip = std::function<const QImage&(int top, int rows)>;

// A picture of size made strip by strip, stripRows rows at a time (the last
// strip may be shorter), each encoded as soon as it is drawn: a large
// picture never has to be held whole. Encoded as EncodePng encodes; empty
// when it cannot be, or when a strip is too small or has another width.
QByteArray EncodePngInStrips(QSize size, int stripRows, const PngStrip& strip);

// The pixels of area (within image) with a colour table, when they have 256
// colours or fewer (a chart has about a hundred): a PNG writer then
// compresses a third of the bytes without a row-filter search. Else, or for a
// picture that is not RGB32, a copy of the area as it is; a null picture
// when area lies outside image.
QImage WithPalette(const QImage& image, QRect area);

}  // namespace velmora
