// One frame: every active slot moves outward along its spiral and is erased where it was and
// drawn where it is; exploding images show their next explosion frame. The window is never
// cleared: a frame costs what moved, not the screen's area.
#include <cmath>

#include "display/frmStarfield3.h"
#include "platform/core/Failure.h"
#include "platform/core/Numeric.h"

namespace {

constexpr double kGrowthDivisor = 90;
constexpr float kDegreesToRadians = 0.017453292f;  // single precision, as the design has it
constexpr double kStarBrightnessFactor = 2;        // full brightness from CenterX / 2 outward
constexpr int16_t kImageSizeOffset = 2;
constexpr int16_t kLastExplosionFrame = 12;
constexpr double kExplosionOffset = 0.75, kExplosionExtent = 1.5;
constexpr int16_t kLaserFramesShown = 2;

}  // namespace

void frmStarfield3::DrawFrame() {
  // A run-time error ends the frame; the next one starts again at slot 1.
  StopOnError([&] {
    const int total = settings_.PicCount + settings_.StarCount;
    for (int i = 1; i <= total; ++i) {
      const int16_t oldX = CheckedAt(ScreenX, i), oldY = CheckedAt(ScreenY, i);
      const int16_t oldSize = CheckedAt(SizeIndex, i);
      const bool image = i <= settings_.PicCount;
      if (image && ExplodeStep[i] != 0) {
        ExplodeStepOf(i);
        continue;
      }
      MoveSlot(i);
      if (!(0 <= oldX && oldX < MaxX && 0 <= oldY && oldY < MaxY)) ResetStuff(int16_t(i));
      ProjectSlot(i);
      if (image) {
        DrawImage(i, oldX, oldY, oldSize);
      } else {
        DrawStar(i, oldX, oldY);
      }
    }
    LaserCountdown();
  });
}

void frmStarfield3::ExplodeStepOf(int i) {
  const Mask& mask = CheckedAt(picNewMask, SizeIndex[i]);
  const double W = mask.Width(), H = mask.Height();
  const int32_t left = Nearest32(ScreenX[i] - W * kExplosionOffset);
  const int32_t top = Nearest32(ScreenY[i] - H * kExplosionOffset);
  const int32_t width = Nearest32(W * kExplosionExtent), height = Nearest32(H * kExplosionExtent);
  if (ExplodeStep[i] <= kLastExplosionFrame) {
    const Surface& frame = CheckedAt(picBoom, ExplodeStep[i]);
    StretchBlt(*FormDC, left, top, width, height, frame, 0, 0, frame.Width(), frame.Height(),
               RasterOp::SRCCOPY);
    ExplodeStep[i] = int16_t(ExplodeStep[i] + 1);
  } else {
    ExplodeStep[i] = 0;
    StretchBlt(*FormDC, left, top, width, height, picBoomMask, 0, 0, picBoomMask.Width(),
               picBoomMask.Height(), RasterOp::SRCAND);
    ResetStuff(int16_t(i));
  }
}

void frmStarfield3::MoveSlot(int i) {
  // Each frame multiplies the radius by 1 + SpinRatio x Velocity / 90. A rate of exactly 0
  // would divide by zero in this form; it grows by nothing instead.
  if (Velocity[i] != 0) {
    Radius[i] = Radius[i] + (settings_.SpinRatio * Radius[i]) / (kGrowthDivisor / Velocity[i]);
  }
  if (i <= settings_.PicCount || settings_.SpinSwitch != 0) {
    Angle[i] = Angle[i] + iSPinDirection * Velocity[i];
  }
}

void frmStarfield3::ProjectSlot(int i) {
  Direction& d = directions_[size_t(i)];
  if (!(d.angle == Angle[i])) {
    const double radians = Angle[i] * double(kDegreesToRadians);
    d = {Angle[i], std::cos(radians), std::sin(radians)};
  }
  ScreenX[i] = Nearest16(d.cos * Radius[i] + CenterX);
  ScreenY[i] = Nearest16(d.sin * Radius[i] + CenterY);
}

void frmStarfield3::DrawStar(int i, int16_t oldX, int16_t oldY) {
  double b = Radius[i] / CenterX * kStarBrightnessFactor;
  if (b > 1) b = 1;
  const Colour colour =
      RGB(Nearest16(StarRed[i] * b), Nearest16(StarGreen[i] * b), Nearest16(StarBlue[i] * b));
  // A star is a 2 x 2 block: the old one erased, then the new one drawn.
  FormDC->FillRect(oldX, oldY, 2, 2, BackColor);
  FormDC->FillRect(ScreenX[i], ScreenY[i], 2, 2, colour);
}

void frmStarfield3::DrawImage(int i, int16_t oldX, int16_t oldY, int16_t oldSize) {
  SizeIndex[i] = Nearest16(std::floor(Radius[i] / CenterX * kSizeSteps) + kImageSizeOffset);
  if (SizeIndex[i] > kSizeSteps) SizeIndex[i] = kSizeSteps;

  // Erase with the mask of the size drawn last time: blackens only where that sprite was opaque.
  const Mask& oldMask = CheckedAt(picNewMask, oldSize);
  const int w0 = oldMask.Width(), h0 = oldMask.Height();
  BitBlt(*FormDC, oldX - w0 / 2, oldY - h0 / 2, w0, h0, oldMask, 0, 0, RasterOp::SRCAND);

  const Mask& mask = CheckedAt(picNewMask, SizeIndex[i]);
  const int w = mask.Width(), h = mask.Height();
  BitBlt(*FormDC, ScreenX[i] - w / 2, ScreenY[i] - h / 2, w, h, CheckedAt(picArray, SizeIndex[i]),
         0, 0, RasterOp::SRCPAINT);
}

void frmStarfield3::LaserCountdown() {
  if (!settings_.ShowLasers || LaserFrames == 0) return;
  if (LaserFrames == kLaserFramesShown) {
    window_->Line1().SetVisible(false);
    window_->Line2().SetVisible(false);
    LaserFrames = 0;
  } else {
    LaserFrames = int16_t(LaserFrames + 1);
  }
}

void frmStarfield3::ChangeSpinDirection() {
  iSPinDirection = int16_t(std::floor(random_.Next() * 3.0f - 1.0f));  // -1, 0 or 1
}
