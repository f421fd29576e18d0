// Fields of the little-endian file formats the program reads (bitmaps, wave files).
#pragma once

#include <cstdint>

inline uint16_t U16(const uint8_t* p) {
  return uint16_t(p[0] | p[1] << 8);
}

inline uint32_t U32(const uint8_t* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
