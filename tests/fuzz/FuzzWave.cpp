// Wave file images, as the sound player converts them: any input gives samples or silence,
// in time proportional to its size.
#include <cstddef>
#include <cstdint>

#include "platform/core/WaveSamples.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<int16_t> samples = ToOutputSamples(data, size);
  // Each input byte becomes at most a few output samples (8-bit input is held four times).
  if (samples.size() > size * 8) __builtin_trap();
  return 0;
}
