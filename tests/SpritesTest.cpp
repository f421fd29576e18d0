#include <gtest/gtest.h>

#include "media/MediaTable.h"
#include "tests/DisplayFixture.h"

namespace {

class SpritesTest : public DisplayFixture {};

}  // namespace

TEST_F(SpritesTest, SizeStepsOfAllFourPictures) {
  struct Row {
    int k, w[4], h[4];
  };
  const Row table[] = {{1, {2, 2, 1, 1}, {4, 3, 2, 1}},
                       {2, {5, 4, 3, 2}, {9, 7, 5, 3}},
                       {25, {72, 58, 43, 29}, {112, 90, 67, 45}},
                       {35, {101, 81, 60, 40}, {157, 126, 94, 63}},
                       {50, {145, 116, 87, 58}, {225, 180, 135, 90}}};
  form.Attach(&window);
  for (int picture = 0; picture < 4; ++picture) {
    settings.PicSelected = int16_t(picture);
    form.PrepareSprites();
    for (const Row& row : table) {
      SCOPED_TRACE(testing::Message() << "picture " << picture << " k " << row.k);
      EXPECT_EQ(probe.picArray(row.k).Width(), row.w[picture]);
      EXPECT_EQ(probe.picArray(row.k).Height(), row.h[picture]);
      EXPECT_EQ(probe.picNewMask(row.k).Width(), row.w[picture]);
      EXPECT_EQ(probe.picNewMask(row.k).Height(), row.h[picture]);
    }
  }
}

TEST_F(SpritesTest, EverySizeKeepsMaskAndImageInStep) {
  form.Attach(&window);
  form.PrepareSprites();  // the default medium picture
  EXPECT_EQ(probe.picSource().Width(), 116);
  for (int k = 1; k <= kSizeSteps; ++k) {
    SCOPED_TRACE(k);
    const Surface& image = probe.picArray(k);
    const Mask& mask = probe.picNewMask(k);
    // OR the sprite onto black, AND its mask at the same place: black again.
    Surface screen(image.Width(), image.Height(), kBlack);
    BitBlt(screen, 0, 0, image.Width(), image.Height(), image, 0, 0, RasterOp::SRCPAINT);
    BitBlt(screen, 0, 0, mask.Width(), mask.Height(), mask, 0, 0, RasterOp::SRCAND);
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) {
        ASSERT_EQ(screen.GetPixel(x, y), kBlack);
        if (mask.GetPixel(x, y) == kWhite) {
          ASSERT_EQ(image.GetPixel(x, y), kBlack);
        }
      }
  }
  // At full size the sprite is the picture with its blue background turned black.
  const Surface original = media::LoadResPicture(102);
  for (int y = 0; y < 180; ++y)
    for (int x = 0; x < 116; ++x) {
      const Colour c = original.GetPixel(x, y);
      ASSERT_EQ(probe.picArray(50).GetPixel(x, y), c == RGB(0, 0, 255) ? kBlack : c);
    }
}

TEST_F(SpritesTest, TheMaskIsKeyedOnTheTopLeftPixelExactly) {
  // A picture of our own in place of the portrait.
  class OnePicture : public EmbeddedMedia {
   public:
    Surface LoadResPicture(int) override {
      Surface picture(3, 2, RGB(10, 20, 30));
      picture.SetPixelV(0, 0, RGB(0, 0, 255));
      picture.SetPixelV(2, 1, kBlack);          // black, but not the key: opaque
      picture.SetPixelV(1, 1, RGB(0, 0, 254));  // one step off the key: opaque
      return picture;
    }
  } picture;
  frmStarfield3 own(settings, clock, random, sound, picture);
  StarfieldProbe ownProbe(own);
  own.PrepareSprites();
  EXPECT_EQ(ownProbe.picMaskWork().GetPixel(0, 0), kWhite);  // the only transparent pixel
  EXPECT_EQ(ownProbe.picSource().GetPixel(0, 0), kBlack);
  for (auto [x, y] : {std::pair{1, 0}, {2, 0}, {0, 1}, {1, 1}, {2, 1}}) {
    EXPECT_EQ(ownProbe.picMaskWork().GetPixel(x, y), kBlack) << x << "," << y;
  }
  EXPECT_EQ(ownProbe.picSource().GetPixel(2, 1), kBlack);
  EXPECT_EQ(ownProbe.picSource().GetPixel(1, 1), RGB(0, 0, 254));
}
