#pragma once

#include <QByteArray>

class QImage;

namespace velmora {

// A picture as PNG bytes (8-bit RGB, no alpha), tuned for the program's
// pictures: large areas of one colour, where the encoder's usual search for
// the best row filter costs three times the time for a file a third
// smaller. Empty when the picture cannot be encoded.
QByteArray EncodePng(const QImage& image);

}  // namespace velmora
