#include "platform/Bitmap.h"

#include <cstdlib>

#include "platform/Numeric.h"

namespace {

uint32_t U32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
uint16_t U16(const uint8_t* p) {
  return uint16_t(p[0] | p[1] << 8);
}

constexpr size_t kInfoHeader = 40;
constexpr size_t kFileHeader = 14;

size_t RowBytes(int width, int bits) {
  return ((size_t(width) * size_t(bits) + 31) / 32) * 4;
}

}  // namespace

DibInfo ReadDibInfo(const uint8_t* dib, size_t size) {
  if (size < kInfoHeader || U32(dib) != kInfoHeader) throw RuntimeError("not a bitmap");
  DibInfo info;
  info.width = int32_t(U32(dib + 4));
  const int32_t height = int32_t(U32(dib + 8));
  info.bottomUp = height > 0;
  info.height = std::abs(height);
  info.bitsPerPixel = U16(dib + 14);
  if (U32(dib + 16) != 0) throw RuntimeError("compressed bitmaps are not supported");
  if (info.bitsPerPixel == 8) {
    const uint32_t used = U32(dib + 32);
    info.paletteEntries = used ? int(used) : 256;
  } else if (info.bitsPerPixel != 24) {
    throw RuntimeError("only 8- and 24-bit bitmaps are supported");
  }
  info.pixelOffset = kInfoHeader + size_t(info.paletteEntries) * 4;
  if (info.width <= 0 || info.height <= 0 || info.paletteEntries > 256 ||
      info.pixelOffset + RowBytes(info.width, info.bitsPerPixel) * size_t(info.height) > size) {
    throw RuntimeError("bitmap is truncated or malformed");
  }
  return info;
}

Surface DecodeDib(const std::vector<uint8_t>& bytes) {
  const DibInfo info = ReadDibInfo(bytes.data(), bytes.size());
  const uint8_t* palette = bytes.data() + kInfoHeader;  // blue, green, red, unused
  const size_t stride = RowBytes(info.width, info.bitsPerPixel);
  Surface surface(info.width, info.height, kBlack);
  for (int y = 0; y < info.height; ++y) {
    const int stored = info.bottomUp ? info.height - 1 - y : y;
    const uint8_t* row = bytes.data() + info.pixelOffset + stride * size_t(stored);
    for (int x = 0; x < info.width; ++x) {
      const uint8_t* bgr =
          info.bitsPerPixel == 8 ? palette + size_t(row[x]) * 4 : row + size_t(x) * 3;
      surface.SetPixelV(x, y, RGB(bgr[2], bgr[1], bgr[0]));
    }
  }
  return surface;
}

Surface DecodeBmpFile(const std::vector<uint8_t>& file) {
  if (file.size() < kFileHeader || file[0] != 'B' || file[1] != 'M')
    throw RuntimeError("not a BMP file");
  return DecodeDib(std::vector<uint8_t>(file.begin() + kFileHeader, file.end()));
}
