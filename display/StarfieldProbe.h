// The one way into the display form from outside its events, for the tests and the media
// generator: a slot can be read and placed, the schedule and what activation and the frames
// leave behind can be read. The program itself reaches the form through its events alone.
#pragma once

#include "display/frmStarfield3.h"

// One slot of the scene.
struct SlotState {
  double Radius = 0, Angle = 0, Velocity = 0;
  int16_t ScreenX = 0, ScreenY = 0;
  int16_t StarRed = 0, StarGreen = 0, StarBlue = 0;
  int16_t SizeIndex = 0, ExplodeStep = 0;
};

// The clock readings at which the form does what it does next.
struct FormSchedule {
  int64_t NextFrameTime, NextSecondTime, NextSpinChangeTime, NextAutoFireTime, AutoFireHoldUntil;
};

// What the form keeps of its window and its shots.
struct FormView {
  int16_t iSPinDirection, CenterX, CenterY, MaxX, MaxY;
  int16_t LaserFrames, LaserColorIndex, LastMouseX, LastMouseY;
};

class StarfieldProbe {
 public:
  explicit StarfieldProbe(frmStarfield3& form) : f_(form) {}

  SlotState Slot(int i) const {
    return {f_.Radius.at(i),    f_.Angle.at(i),      f_.Velocity.at(i),  f_.ScreenX.at(i),
            f_.ScreenY.at(i),   f_.StarRed.at(i),    f_.StarGreen.at(i), f_.StarBlue.at(i),
            f_.SizeIndex.at(i), f_.ExplodeStep.at(i)};
  }
  void PlaceSlot(int i, const SlotState& s) {
    f_.Radius.at(i) = s.Radius;
    f_.Angle.at(i) = s.Angle;
    f_.Velocity.at(i) = s.Velocity;
    f_.ScreenX.at(i) = s.ScreenX;
    f_.ScreenY.at(i) = s.ScreenY;
    f_.StarRed.at(i) = s.StarRed;
    f_.StarGreen.at(i) = s.StarGreen;
    f_.StarBlue.at(i) = s.StarBlue;
    f_.SizeIndex.at(i) = s.SizeIndex;
    f_.ExplodeStep.at(i) = s.ExplodeStep;
  }
  // The sense in which the spirals turn, as a spin change would leave it (-1, 0 or 1).
  void PlaceSpin(int16_t direction) { f_.iSPinDirection = direction; }

  FormSchedule Schedule() const {
    return {f_.NextFrameTime, f_.NextSecondTime, f_.NextSpinChangeTime, f_.NextAutoFireTime,
            f_.AutoFireHoldUntil};
  }
  FormView View() const {
    return {f_.iSPinDirection, f_.CenterX,         f_.CenterY,    f_.MaxX,      f_.MaxY,
            f_.LaserFrames,    f_.LaserColorIndex, f_.LastMouseX, f_.LastMouseY};
  }

  // The pictures and sounds the form holds.
  const Surface& picSource() const { return f_.picSource; }
  const Mask& picMaskWork() const { return f_.picMaskWork; }
  const Surface& picArray(int k) const { return f_.picArray.at(size_t(k)); }
  const Mask& picNewMask(int k) const { return f_.picNewMask.at(size_t(k)); }
  const Surface& picBoom(int n) const { return f_.picBoom.at(size_t(n)); }
  std::span<const uint8_t> SndExplode() const { return f_.SndExplode; }
  std::span<const uint8_t> SndLaser() const { return f_.SndLaser; }
  std::span<const uint8_t> SndLaserExplode() const { return f_.SndLaserExplode; }

 private:
  frmStarfield3& f_;
};
