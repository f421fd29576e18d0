// Turns a wave file image into the samples the sound output plays: signed 16-bit, mono,
// 44100 a second. 8-bit samples become (s - 128) x 256 and each sample of a slower rate is
// held for 44100 / rate output samples, so the conversion is exact and easy to check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kOutputRate = 44100;

// Empty when the image is not a PCM mono wave at 44100 / n samples a second (at least 8000),
// 8 or 16 bits, of at most a minute.
std::vector<int16_t> ToOutputSamples(const uint8_t* wave, size_t size);
