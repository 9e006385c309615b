#include "views/PngEncoder.h"

#include <png.h>

#include <QImage>
#include <QSysInfo>
#include <csetjmp>
#include <new>

namespace velmora {
namespace {

// libpng reports failures by a long jump: the function that sets the jump
// point holds nothing that needs a destructor.
void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* bytes = static_cast<QByteArray*>(png_get_io_ptr(png));
  try {
    bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
  } catch (const std::bad_alloc&) {
    png_error(png, "out of memory");
  }
}

void Flush(png_structp) {}

bool Encode(const QImage& rgb32, QByteArray* bytes) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr || setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, bytes, Append, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(rgb32.width()), static_cast<png_uint_32>(rgb32.height()), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
  png_set_compression_level(png, 3);
  png_write_info(png, info);
  // The pixels as they lie in memory (blue, green, red, unused on a
  // little-endian machine; the unused byte first on a big-endian one).
  if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
    png_set_bgr(png);
    png_set_filler(png, 0, PNG_FILLER_AFTER);
  } else {
    png_set_filler(png, 0, PNG_FILLER_BEFORE);
  }
  for (int y = 0; y < rgb32.height(); ++y) png_write_row(png, rgb32.constScanLine(y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

QByteArray EncodePng(const QImage& image) {
  if (image.isNull()) return {};
  const QImage rgb32 = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
  QByteArray bytes;
  if (!Encode(rgb32, &bytes)) return {};
  return bytes;
}

}  // namespace velmora
