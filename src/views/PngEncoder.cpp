#include "views/PngEncoder.h"

#include <png.h>

#include <QHash>
#include <QImage>
#include <QList>
#include <QSysInfo>
#include <algorithm>
#include <array>
#include <csetjmp>
#include <functional>
#include <future>
#include <new>
#include <system_error>

namespace velmora {
namespace {

// libpng reports failures by a long jump: the functions that set the jump
// point hold nothing that needs a destructor.
void Append(png_structp png, png_bytep data, png_size_t length) {
  auto* bytes = static_cast<QByteArray*>(png_get_io_ptr(png));
  try {
    bytes->append(reinterpret_cast<const char*>(data), static_cast<qsizetype>(length));
  } catch (const std::bad_alloc&) {
    png_error(png, "out of memory");
  }
}

void Flush(png_structp) {}

// The strip's pixels as RGB32 lines: the strip itself when it is RGB32
// already, else a converted copy kept in spare. Null when the strip could not
// be drawn.
const QImage* Rgb32Rows(const PngStrip& strip, int top, int rows, QImage* spare) noexcept {
  try {
    const QImage& drawn = strip(top, rows);
    if (drawn.format() == QImage::Format_RGB32) return &drawn;
    *spare = drawn.convertToFormat(QImage::Format_RGB32);
    return spare;
  } catch (...) {
    return nullptr;
  }
}

// libpng jumps back to the last jump point set on its structure, so every
// thread that calls it sets its own.
bool WriteRows(png_structp png, const QImage* lines, int rows) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  for (int y = 0; y < rows; ++y) png_write_row(png, lines->constScanLine(y));
  return true;
}

bool WriteEnd(png_structp png, png_infop info) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_write_end(png, info);
  return true;
}

std::future<bool> Done(bool result) {
  std::promise<bool> done;
  done.set_value(result);
  return done.get_future();
}

// Runs work on a thread of its own, or here when no thread can be had.
std::future<bool> Started(const std::function<bool()>& work) {
  try {
    return std::async(std::launch::async, work);
  } catch (const std::system_error&) {
    return Done(work());
  }
}

// The header, and how the rows are to be encoded.
bool Begin(png_structp png, png_infop info, QSize size, QByteArray* bytes) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_write_fn(png, bytes, Append, Flush);
  png_set_IHDR(png, info, static_cast<png_uint_32>(size.width()), static_cast<png_uint_32>(size.height()), 8,
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
  return true;
}

// Each strip is compressed on a thread of its own while the next one is
// drawn, so zlib never runs on the thread that paints: Qt's fill leaves the
// upper halves of the processor's vector registers in use (it returns
// without clearing them), which makes zlib's code that follows on the same
// thread two to three times slower.
bool Encode(png_structp png, png_infop info, QSize size, int stripRows, const PngStrip& strip) {
  std::future<bool> encoding = Done(true);
  std::array<QImage, 2> spares;
  for (int top = 0, index = 0; top < size.height(); top += stripRows, ++index) {
    const int rows = std::min(stripRows, size.height() - top);
    const QImage* lines = Rgb32Rows(strip, top, rows, &spares[index % 2]);
    if (!encoding.get() || lines == nullptr || lines->width() != size.width() || lines->height() < rows) return false;
    encoding = Started([png, lines, rows] { return WriteRows(png, lines, rows); });
  }
  return encoding.get() && Started([png, info] { return WriteEnd(png, info); }).get();
}

}  // namespace

QByteArray EncodePngInStrips(QSize size, int stripRows, const PngStrip& strip) {
  if (size.isEmpty() || stripRows < 1) return {};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (png == nullptr) return {};
  png_infop info = png_create_info_struct(png);
  QByteArray bytes;
  const bool encoded = info != nullptr && Begin(png, info, size, &bytes) && Encode(png, info, size, stripRows, strip);
  png_destroy_write_struct(&png, &info);
  if (!encoded) return {};
  return bytes;
}

QImage WithPalette(const QImage& image, QRect area) {
  area &= image.rect();
  if (area.isEmpty()) return {};  // copy() would take an empty area for the whole picture
  if (image.format() != QImage::Format_RGB32) return image.copy(area);
  QImage indexed(area.size(), QImage::Format_Indexed8);
  if (indexed.isNull()) return image.copy(area);
  QList<QRgb> colours;
  QHash<QRgb, int> index;
  for (int y = 0; y < area.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(area.top() + y)) + area.left();
    uchar* out = indexed.scanLine(y);
    // Charts are runs of one colour: look a colour up once per run.
    QRgb last = 0;
    int lastIndex = -1;
    for (int x = 0; x < area.width(); ++x) {
      const QRgb pixel = in[x] | 0xFF000000u;
      if (lastIndex < 0 || pixel != last) {
        auto found = index.constFind(pixel);
        if (found == index.constEnd()) {
          if (colours.size() == 256) return image.copy(area);
          found = index.insert(pixel, static_cast<int>(colours.size()));
          colours.push_back(pixel);
        }
        last = pixel;
        lastIndex = *found;
      }
      out[x] = static_cast<uchar>(lastIndex);
    }
  }
  indexed.setColorTable(colours);
  return indexed;
}

QByteArray EncodePng(const QImage& image) {
  if (image.isNull()) return {};
  return EncodePngInStrips(image.size(), image.height(), [&image](int, int) -> const QImage& { return image; });
}

}  // namespace velmora
