// Inputs that once broke the bitmap and wave readers: each must be refused cleanly.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/core/Bitmap.h"
#include "platform/core/Numeric.h"
#include "platform/core/WaveSamples.h"

namespace {

std::vector<uint8_t> Seed(const std::string& name) {
  std::ifstream in(std::string(SEEDS) + "/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = uint8_t(value >> (8 * i));
}

// A well-formed 2 x 1, 8-bit bitmap with `colours` palette entries, pixels 0 and 1.
std::vector<uint8_t> SmallDib(uint32_t colours) {
  std::vector<uint8_t> dib(40 + colours * 4 + 4, 0);
  PutU32(dib, 0, 40);
  PutU32(dib, 4, 2);
  PutU32(dib, 8, 1);
  dib[12] = 1;
  dib[14] = 8;
  PutU32(dib, 32, colours);
  dib[40 + colours * 4 + 1] = 1;
  return dib;
}

}  // namespace

TEST(BadInputs, DamagedBitmapsAreRefused) {
  for (const char* name :
       {"dib/dib_palette_index_oob.dib", "dib/dib_clrused_neg.dib", "dib/dib_height_intmin.dib"}) {
    const auto bytes = Seed(name);
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_THROW(DecodeDib(bytes), RuntimeError) << name;
  }
}

TEST(BadInputs, APixelMustNameAnEntryOfItsPalette) {
  EXPECT_EQ(DecodeDib(SmallDib(2)).Width(), 2);
  EXPECT_THROW(DecodeDib(SmallDib(1)), RuntimeError);  // pixel 1 of a one-colour palette
  auto huge = SmallDib(2);
  PutU32(huge, 4, 0x40000000);  // a width no buffer could hold
  EXPECT_THROW(DecodeDib(huge), RuntimeError);
}

TEST(BadInputs, DamagedWavesGiveSilenceAtOnce) {
  for (const char* name : {"wav/wav_hang_len_fffffff8.wav", "wav/wav_hang_fuzzer_found.wav",
                           "wav/wav_rate1_blowup.wav"}) {
    const auto bytes = Seed(name);
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_TRUE(ToOutputSamples(bytes.data(), bytes.size()).empty()) << name;
  }
}
