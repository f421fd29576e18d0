#include "platform/core/WaveSamples.h"

#include <algorithm>
#include <cstring>

#include "platform/core/LittleEndian.h"

namespace {

// Rates below 8000 a second are no sound of ours: each sample would be held so long that a
// small file became a huge buffer.
constexpr int kMinRate = 8000;
constexpr size_t kMaxOutputSamples = size_t(kOutputRate) * 60;  // one minute

struct Format {
  int rate = 0, bits = 0, channels = 0, tag = 0;
};

}  // namespace

std::vector<int16_t> ToOutputSamples(const uint8_t* wave, size_t size) {
  if (size < 12 || std::memcmp(wave, "RIFF", 4) != 0 || std::memcmp(wave + 8, "WAVE", 4) != 0)
    return {};
  // Only what the RIFF header covers counts; a resource may carry a few bytes past it. The
  // walk over the chunks is done in 64 bits, so no length can wrap it back to the start.
  const uint64_t end = std::min<uint64_t>(size, uint64_t(U32(wave + 4)) + 8);
  Format format;
  for (uint64_t at = 12; at + 8 <= end;) {
    const uint64_t length = U32(wave + at + 4);
    const uint8_t* body = wave + at + 8;
    if (std::memcmp(wave + at, "fmt ", 4) == 0 && length >= 16 && at + 8 + 16 <= end) {
      format = {int(U32(body + 4) > uint32_t(kOutputRate) ? 0 : U32(body + 4)), U16(body + 14),
                U16(body + 2), U16(body)};
    } else if (std::memcmp(wave + at, "data", 4) == 0) {
      if (format.tag != 1 || format.channels != 1 || format.rate < kMinRate ||
          kOutputRate % format.rate != 0 || (format.bits != 8 && format.bits != 16)) {
        return {};
      }
      const uint64_t bytes = std::min(length, end - (at + 8));
      const int hold = kOutputRate / format.rate;
      const size_t count = size_t(bytes) / size_t(format.bits / 8);
      if (count > kMaxOutputSamples / size_t(hold)) return {};
      std::vector<int16_t> out;
      out.reserve(count * size_t(hold));
      for (size_t i = 0; i < count; ++i) {
        const int16_t s =
            format.bits == 8 ? int16_t((body[i] - 128) * 256) : int16_t(U16(body + 2 * i));
        out.insert(out.end(), size_t(hold), s);
      }
      return out;
    }
    at += 8 + length + (length & 1);
  }
  return {};
}
