// Checks every embedded asset against the formats and content rules the code relies on.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <deque>

#include "media/MediaTable.h"
#include "platform/core/Bitmap.h"

namespace {

uint32_t U32(const media::Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const media::Bytes& b, size_t at) {
  return uint16_t(b[at] | b[at + 1] << 8);
}
std::string Text(const media::Bytes& b, size_t at, size_t n) {
  return std::string(b.begin() + long(at), b.begin() + long(at + n));
}

// Pixels of colour `key` that can be reached from the border through pixels of that colour.
std::vector<bool> ConnectedToBorder(const Surface& s, Colour key) {
  const int w = s.Width(), h = s.Height();
  std::vector<bool> seen(size_t(w * h), false);
  std::deque<std::pair<int, int>> todo;
  auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= w || y >= h || seen[size_t(y * w + x)] || s.GetPixel(x, y) != key)
      return;
    seen[size_t(y * w + x)] = true;
    todo.emplace_back(x, y);
  };
  for (int x = 0; x < w; ++x) visit(x, 0), visit(x, h - 1);
  for (int y = 0; y < h; ++y) visit(0, y), visit(w - 1, y);
  while (!todo.empty()) {
    auto [x, y] = todo.front();
    todo.pop_front();
    visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
  }
  return seen;
}

double Brightness(const Surface& s) {
  double sum = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const Colour c = s.GetPixel(x, y);
      sum += (c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF);
    }
  return sum;
}

}  // namespace

TEST(MediaPortraits, FourSizesOfOnePortraitOnAKeyBlueBackground) {
  struct Expected {
    int id, width, height;
    size_t bytes;
  };
  const Expected table[] = {
      {101, 145, 225, 34364}, {102, 116, 180, 21944}, {103, 87, 135, 12944}, {104, 58, 90, 6464}};
  const Colour blue = RGB(0, 0, 255);
  for (const Expected& e : table) {
    SCOPED_TRACE(e.id);
    const media::Bytes dib = media::BitmapResource(e.id);
    EXPECT_EQ(dib.size(), e.bytes);
    const DibInfo info = ReadDibInfo(dib.data(), dib.size());
    EXPECT_EQ(U32(dib, 0), 40u);
    EXPECT_EQ(info.width, e.width);
    EXPECT_EQ(info.height, e.height);
    EXPECT_TRUE(info.bottomUp);
    EXPECT_EQ(info.bitsPerPixel, 8);
    EXPECT_EQ(info.paletteEntries, 256);
    EXPECT_EQ(U32(dib, 16), 0u);  // no compression

    const Surface picture = media::LoadResPicture(e.id);
    for (auto [x, y] :
         {std::pair{0, 0}, {e.width - 1, 0}, {0, e.height - 1}, {e.width - 1, e.height - 1}}) {
      EXPECT_EQ(picture.GetPixel(x, y), blue);
    }
    int background = 0, enclosedBlue = 0;
    const auto outside = ConnectedToBorder(picture, blue);
    for (int y = 0; y < e.height; ++y)
      for (int x = 0; x < e.width; ++x) {
        const bool isBlue = picture.GetPixel(x, y) == blue;
        background += isBlue;
        enclosedBlue += isBlue && !outside[size_t(y * e.width + x)];
      }
    EXPECT_EQ(enclosedBlue, 0) << "key blue inside the figure would turn transparent";
    EXPECT_NEAR(double(background) / (e.width * e.height), 0.36, 0.05);
  }
}

TEST(MediaExplosion, SixteenFramesThatGrowPeakAndFade) {
  std::vector<double> light;
  for (int n = 0; n < media::kBoomFrames; ++n) {
    SCOPED_TRACE(n);
    const media::Bytes file = media::BoomFrameFile(n);
    ASSERT_EQ(file.size(), 21654u);
    EXPECT_EQ(Text(file, 0, 2), "BM");
    EXPECT_EQ(U32(file, 2), 21654u);
    EXPECT_EQ(U32(file, 10), 54u);
    const DibInfo info = ReadDibInfo(file.data() + 14, file.size() - 14);
    EXPECT_EQ(info.width, 71);
    EXPECT_EQ(info.height, 100);
    EXPECT_EQ(info.bitsPerPixel, 24);
    const Surface frame = media::BoomFrame(n);
    for (auto [x, y] : {std::pair{0, 0}, {70, 0}, {0, 99}, {70, 99}})
      EXPECT_EQ(frame.GetPixel(x, y), kBlack);
    light.push_back(Brightness(frame));
  }
  const auto brightest = std::max_element(light.begin(), light.end()) - light.begin();
  EXPECT_TRUE(brightest == 4 || brightest == 5) << brightest;
  for (int n = 1; n <= 4; ++n) EXPECT_GT(light[size_t(n)], light[size_t(n - 1)]);
  for (int n = 6; n < 16; ++n) EXPECT_LT(light[size_t(n)], light[size_t(n - 1)]);
  EXPECT_LT(light[0], light[4] * 0.03);
  EXPECT_LT(light[15], light[4] * 0.03);
}

TEST(MediaSounds, WaveHeadersAndLengthsAsTheyArePlayed) {
  struct Expected {
    const char* name;
    size_t bytes;
    uint32_t riff, rate, bits;
    bool fact;
    uint32_t data;
  };
  const Expected table[] = {{"LASER.WAV", 3916, 3905, 11025, 8, false, 3869},
                            {"LASEREXPLODE.WAV", 38652, 38642, 11025, 8, true, 38594},
                            {"LEXPLODE.WAV", 308804, 308796, 44100, 16, true, 308748}};
  for (const Expected& e : table) {
    SCOPED_TRACE(e.name);
    const media::Bytes wav = media::LoadResData(e.name, "SOUNDS");
    EXPECT_EQ(wav.size(), e.bytes);
    EXPECT_EQ(Text(wav, 0, 4), "RIFF");
    EXPECT_EQ(U32(wav, 4), e.riff);
    EXPECT_EQ(Text(wav, 8, 8), "WAVEfmt ");
    EXPECT_EQ(U32(wav, 16), 16u);
    EXPECT_EQ(U16(wav, 20), 1);  // PCM
    EXPECT_EQ(U16(wav, 22), 1);  // mono
    EXPECT_EQ(U32(wav, 24), e.rate);
    EXPECT_EQ(U32(wav, 28), e.rate * e.bits / 8);
    EXPECT_EQ(U16(wav, 32), e.bits / 8);
    EXPECT_EQ(U16(wav, 34), e.bits);
    size_t data = 36;
    if (e.fact) {
      EXPECT_EQ(Text(wav, 36, 4), "fact");
      EXPECT_EQ(U32(wav, 40), 4u);
      EXPECT_EQ(U32(wav, 44), e.data / (e.bits / 8));
      data = 48;
    }
    EXPECT_EQ(Text(wav, data, 4), "data");
    EXPECT_EQ(U32(wav, data + 4), e.data);
    EXPECT_NEAR(double(e.data) / (e.rate * e.bits / 8), e.fact ? 3.5 : 0.351, 0.001);

    // Loud, never clipped: the peak lies between half and all of full scale.
    double peak = 0;
    for (size_t i = data + 8; i < data + 8 + e.data; i += e.bits / 8) {
      const double s = e.bits == 8 ? (wav[i] - 128) / 128.0 : int16_t(U16(wav, i)) / 32768.0;
      peak = std::max(peak, std::abs(s));
    }
    EXPECT_GT(peak, 0.5);
    EXPECT_LT(peak, 0.99);
  }
}

TEST(MediaPictures, SetupAndPreviewPicturesAreGif89aWithFullColourTables) {
  const media::Bytes setup = media::SetupPicture();
  EXPECT_EQ(Text(setup, 0, 6), "GIF89a");
  EXPECT_EQ(U16(setup, 6), 116);
  EXPECT_EQ(U16(setup, 8), 180);
  EXPECT_EQ(setup[10] & 0x87, 0x87);  // a global table of 256 entries
  const size_t gce = 13 + 768;
  ASSERT_EQ(setup[gce], 0x21);
  ASSERT_EQ(setup[gce + 1], 0xF9);
  EXPECT_EQ(setup[gce + 3] & 1, 1);  // transparency on
  const int transparent = setup[gce + 6];
  EXPECT_EQ(setup[13 + transparent * 3], 198);
  EXPECT_EQ(setup[14 + transparent * 3], 198);
  EXPECT_EQ(setup[15 + transparent * 3], 198);

  QImage image;
  ASSERT_TRUE(image.loadFromData(setup.data(), int(setup.size()), "GIF"));
  int clear = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) clear += qAlpha(image.pixel(x, y)) == 0;
  EXPECT_NEAR(double(clear) / (116 * 180), 0.31, 0.05);

  const media::Bytes preview = media::PreviewPicture();
  EXPECT_EQ(Text(preview, 0, 6), "GIF89a");
  EXPECT_EQ(U16(preview, 6), 640);
  EXPECT_EQ(U16(preview, 8), 512);
  EXPECT_EQ(preview[10] & 0x87, 0x87);
  EXPECT_EQ(preview[13 + 768], 0x2C);  // the image follows the table: no transparency
  ASSERT_TRUE(image.loadFromData(preview.data(), int(preview.size()), "GIF"));
  EXPECT_EQ(image.size(), QSize(640, 512));
}

TEST(MediaIcon, TwoSixteenColourImages) {
  const media::Bytes ico = media::IconFile();
  ASSERT_EQ(U16(ico, 2), 1);
  ASSERT_EQ(U16(ico, 4), 2);
  const struct {
    int size;
    uint32_t bytes;
  } expected[] = {{32, 744}, {16, 296}};
  for (int i = 0; i < 2; ++i) {
    const size_t entry = 6 + 16 * size_t(i);
    EXPECT_EQ(ico[entry], expected[i].size);
    EXPECT_EQ(ico[entry + 2], 16);      // colours
    EXPECT_EQ(U16(ico, entry + 6), 4);  // bits per pixel
    EXPECT_EQ(U32(ico, entry + 8), expected[i].bytes);
    const size_t image = U32(ico, entry + 12);
    EXPECT_EQ(U32(ico, image + 4), uint32_t(expected[i].size));
    EXPECT_EQ(U32(ico, image + 8), uint32_t(expected[i].size * 2));
  }
}
