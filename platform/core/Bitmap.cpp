#include "platform/core/Bitmap.h"

#include <cstdlib>

#include "platform/core/LittleEndian.h"
#include "platform/core/Numeric.h"

namespace {

constexpr size_t kInfoHeader = 40;
constexpr size_t kFileHeader = 14;
constexpr int64_t kMaxSide = 16384;  // far beyond any picture of ours, far below overflow

size_t RowBytes(int width, int bits) {
  return ((size_t(width) * size_t(bits) + 31) / 32) * 4;
}

}  // namespace

DibInfo ReadDibInfo(const uint8_t* dib, size_t size) {
  if (size < kInfoHeader || U32(dib) != kInfoHeader) throw RuntimeError("not a bitmap");
  // Every field is checked in 64 bits before it is used: a damaged header must be refused,
  // never wrap into a small or negative size.
  const int64_t width = int32_t(U32(dib + 4));
  const int64_t height = int32_t(U32(dib + 8));
  if (width < 1 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide)
    throw RuntimeError("bitmap size out of range");
  DibInfo info;
  info.width = int(width);
  info.bottomUp = height > 0;
  info.height = int(height > 0 ? height : -height);
  info.bitsPerPixel = U16(dib + 14);
  if (U32(dib + 16) != 0) throw RuntimeError("compressed bitmaps are not supported");
  if (info.bitsPerPixel == 8) {
    const uint32_t used = U32(dib + 32);
    if (used > 256) throw RuntimeError("bitmap palette too large");
    info.paletteEntries = used ? int(used) : 256;
  } else if (info.bitsPerPixel != 24) {
    throw RuntimeError("only 8- and 24-bit bitmaps are supported");
  }
  info.pixelOffset = kInfoHeader + size_t(info.paletteEntries) * 4;
  if (info.pixelOffset + RowBytes(info.width, info.bitsPerPixel) * size_t(info.height) > size)
    throw RuntimeError("bitmap is truncated");
  return info;
}

Surface DecodeDib(std::span<const uint8_t> bytes) {
  const DibInfo info = ReadDibInfo(bytes.data(), bytes.size());
  const uint8_t* palette = bytes.data() + kInfoHeader;  // blue, green, red, unused
  const size_t stride = RowBytes(info.width, info.bitsPerPixel);
  Surface surface(info.width, info.height, kBlack);
  for (int y = 0; y < info.height; ++y) {
    const int stored = info.bottomUp ? info.height - 1 - y : y;
    const uint8_t* row = bytes.data() + info.pixelOffset + stride * size_t(stored);
    for (int x = 0; x < info.width; ++x) {
      const uint8_t* bgr = row + size_t(x) * 3;
      if (info.bitsPerPixel == 8) {
        if (row[x] >= info.paletteEntries) throw RuntimeError("bitmap pixel outside its palette");
        bgr = palette + size_t(row[x]) * 4;
      }
      surface.SetPixelV(x, y, RGB(bgr[2], bgr[1], bgr[0]));
    }
  }
  return surface;
}

Surface DecodeBmpFile(std::span<const uint8_t> file) {
  if (file.size() < kFileHeader || file[0] != 'B' || file[1] != 'M')
    throw RuntimeError("not a BMP file");
  return DecodeDib(std::vector<uint8_t>(file.begin() + kFileHeader, file.end()));
}
