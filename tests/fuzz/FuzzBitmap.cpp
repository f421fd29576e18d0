// Bitmaps as the media table hands them over: with and without the file header. Anything
// but a clean RuntimeError or a surface of the size the header gives is a fault.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/core/Bitmap.h"
#include "platform/core/Numeric.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  try {
    const DibInfo info = ReadDibInfo(data, size);
    const Surface picture = DecodeDib(bytes);
    if (picture.Width() != info.width || picture.Height() != info.height) __builtin_trap();
  } catch (const RuntimeError&) {
  }
  try {
    DecodeBmpFile(bytes);
  } catch (const RuntimeError&) {
  }
  return 0;
}
