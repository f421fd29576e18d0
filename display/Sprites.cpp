// The target picture, its mask, and the 50 reduced sprites and masks drawn by each frame.
#include <cmath>

#include "display/frmStarfield3.h"
#include "platform/core/Failure.h"
#include "platform/core/Numeric.h"

void frmStarfield3::CreateMask() {
  const int W = picSource.Width(), H = picSource.Height();
  picMaskWork.Resize(W, H, kWhite);
  // On an error the mask stays as far as it got, and the sprites are built from it all the same.
  StopOnError([&] {
    const Colour key = picSource.GetPixel(0, 0);  // the background is keyed on its top-left pixel
    for (int x = 0; x < W; ++x) {
      for (int y = 0; y < H; ++y) {
        if (picSource.GetPixel(x, y) == key) {
          picSource.SetPixelV(x, y, kBlack);
          picMaskWork.SetPixelV(x, y, kWhite);
        } else {
          picMaskWork.SetPixelV(x, y, kBlack);
        }
      }
    }
  });
}

void frmStarfield3::PrepareSprites() {
  picSource = media_.LoadResPicture(media::kFirstPortrait + settings_.PicSelected);
  BuildSprites();
}

void frmStarfield3::BuildSprites() {
  CreateMask();
  const int W = picSource.Width(), H = picSource.Height();
  // Image and mask are reduced by the same rule to the same size, so the same source pixels
  // land in each sprite pixel: where the mask is white the sprite is black, and an OR of the
  // sprite followed by an AND of its mask restores a black background exactly.
  for (int k = 1; k <= kSizeSteps; ++k) {
    picArray[k].Resize((k * W) / kSizeSteps, (k * H) / kSizeSteps, kBlack);
    StretchBlt(picArray[k], 0, 0, picArray[k].Width(), picArray[k].Height(), picSource, 0, 0, W, H,
               RasterOp::SRCCOPY);
    picNewMask[k].Resize(picArray[k].Width(), picArray[k].Height(), kWhite);
    StretchBlt(picNewMask[k], 0, 0, picNewMask[k].Width(), picNewMask[k].Height(), picMaskWork, 0,
               0, W, H, RasterOp::SRCCOPY);
  }
}
