// Seeding the slot table: each slot starts near the centre with a random direction and rate.
#include <cmath>

#include "display/frmStarfield3.h"

namespace {
constexpr double kImageStartRadius = 10;
constexpr double kStarStartRadius = 50;
constexpr double kImageRateFactor = 1.5;  // images fly faster than stars
constexpr int16_t kLit = 254;             // a lit colour component: 254, not 255
}  // namespace

void frmStarfield3::ResetStuff(int16_t Index) {
  if (Index < 0 || Index > kSlotCount) return;
  const int i = Index;
  // The draws are single precision, as the generator gives them; the sums are double.
  Velocity[i] = double(random_.Next() * 3.0f) + settings_.Speed;
  Angle[i] = double(random_.Next() * 360.0f + 1.0f);
  if (i > settings_.PicCount) {
    Radius[i] = kStarStartRadius;
  } else {
    Velocity[i] = Velocity[i] * kImageRateFactor;
    Radius[i] = kImageStartRadius;
  }
  SizeIndex[i] = 0;
}

void frmStarfield3::SeedScene() {
  random_.SeedFromTime();
  iSPinDirection = 1;
  auto component = [this] { return int16_t(std::floor(random_.Next() * 2.0f) * kLit); };
  for (int16_t i = 1; i <= kSlotCount; ++i) {
    ResetStuff(i);
    Radius[i] = double(random_.Next() * 500.0f + 5.0f);  // the first screen is already full
    ExplodeStep[i] = 0;
    do {
      StarRed[i] = component();
      StarGreen[i] = component();
      StarBlue[i] = component();
    } while (StarGreen[i] + StarRed[i] + StarBlue[i] < kLit);  // never a black star
  }
}
