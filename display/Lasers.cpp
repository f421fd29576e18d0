// The two laser beams: a shot at a point, and the automatic fire at grown images.
#include "display/frmStarfield3.h"
#include "platform/core/Failure.h"
#include "platform/core/Numeric.h"

namespace {

constexpr int16_t kHitExplosionStart = 3;
constexpr int16_t kAutoFireMinSize = 35;  // fires at images grown beyond 35/50 of full size
constexpr int16_t kMissSpread = 5;        // a miss ends the beams 5 pixels either side
constexpr Colour kHitColours[] = {RGB(255, 255, 255), RGB(0, 0, 255), RGB(255, 0, 0)};
constexpr Colour kMissColour = RGB(0, 255, 0);

}  // namespace

void frmStarfield3::FireLaser(int16_t X, int16_t Y) {
  CloseOnError([&] { Shoot(X, Y); }, [&] { Close(); });
}

void frmStarfield3::Shoot(int16_t X, int16_t Y) {
  const int picCount = settings_.PicCount;
  for (int i = 1; i <= picCount; ++i) {
    const Mask& mask = CheckedAt(picNewMask, CheckedAt(SizeIndex, i));
    const double W = float(mask.Width()), H = float(mask.Height());
    // An open box: a point on its edge is outside.
    const bool hit = ScreenX[i] - W * 0.5 < X && ScreenY[i] - H * 0.5 < Y &&
                     ScreenX[i] + W * 0.5 > X && ScreenY[i] + H * 0.5 > Y && ExplodeStep[i] == 0;
    if (!hit) continue;
    ExplodeStep[i] = kHitExplosionStart;
    if (settings_.ShowLasers) {
      const int colour = LaserColorIndex == 0 ? 0 : LaserColorIndex == 1 ? 1 : 2;
      LaserColorIndex = int16_t((colour + 1) % 3);
      ShowBeams(float(ScreenX[i] - W * 0.25), float(ScreenX[i] + W * 0.25), ScreenY[i],
                kHitColours[colour]);
    }
    if (settings_.Sound) sound_.Play(settings_.ShowLasers ? SndLaserExplode : SndExplode);
    return;
  }
  if (!settings_.ShowLasers) return;
  ShowBeams(CheckedAdd16(X, -kMissSpread), CheckedAdd16(X, kMissSpread), Y, kMissColour);
  if (settings_.Sound) sound_.Play(SndLaser);
}

void frmStarfield3::ShowBeams(float x1, float x2, float y, Colour colour) {
  LinePrimitive& line1 = window_->Line1();
  LinePrimitive& line2 = window_->Line2();
  line1.SetBorderColor(colour);
  line2.SetBorderColor(colour);
  line1.SetEnd(x1, y);
  line2.SetEnd(x2, y);
  line1.SetVisible(true);
  line2.SetVisible(true);
  LaserFrames = 1;
}

void frmStarfield3::AutoFire() {
  const int picCount = settings_.PicCount;
  for (int i = 1; i <= picCount; ++i) {
    if (CheckedAt(SizeIndex, i) > kAutoFireMinSize && ExplodeStep[i] == 0) {
      FireLaser(ScreenX[i], ScreenY[i]);
      return;
    }
  }
}
