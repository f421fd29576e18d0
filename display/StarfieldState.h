// The display form's state, for the tests and the media generator only: references to every
// field of the scene and the form, under the names the form gives them. The program itself
// reaches the form through its events alone.
#pragma once

#include "display/frmStarfield3.h"

struct StarfieldState {
  explicit StarfieldState(frmStarfield3& f)
      : Radius(f.Radius),
        Angle(f.Angle),
        Velocity(f.Velocity),
        ScreenX(f.ScreenX),
        ScreenY(f.ScreenY),
        StarRed(f.StarRed),
        StarGreen(f.StarGreen),
        StarBlue(f.StarBlue),
        SizeIndex(f.SizeIndex),
        ExplodeStep(f.ExplodeStep),
        iSPinDirection(f.iSPinDirection),
        CenterX(f.CenterX),
        CenterY(f.CenterY),
        MaxX(f.MaxX),
        MaxY(f.MaxY),
        FormDC(f.FormDC),
        BackColor(f.BackColor),
        LaserFrames(f.LaserFrames),
        LaserColorIndex(f.LaserColorIndex),
        SndExplode(f.SndExplode),
        SndLaser(f.SndLaser),
        SndLaserExplode(f.SndLaserExplode),
        LastMouseX(f.LastMouseX),
        LastMouseY(f.LastMouseY),
        NextFrameTime(f.NextFrameTime),
        NextSecondTime(f.NextSecondTime),
        NextSpinChangeTime(f.NextSpinChangeTime),
        NextAutoFireTime(f.NextAutoFireTime),
        AutoFireHoldUntil(f.AutoFireHoldUntil),
        picSource(f.picSource),
        picMaskWork(f.picMaskWork),
        picArray(f.picArray),
        picNewMask(f.picNewMask),
        picBoom(f.picBoom),
        picBoomMask(f.picBoomMask) {}

  SlotArray<double>&Radius, &Angle, &Velocity;
  SlotArray<int16_t>&ScreenX, &ScreenY;
  SlotArray<int16_t>&StarRed, &StarGreen, &StarBlue;
  SlotArray<int16_t>&SizeIndex, &ExplodeStep;
  int16_t& iSPinDirection;
  int16_t &CenterX, &CenterY, &MaxX, &MaxY;
  Surface*& FormDC;
  Colour& BackColor;
  int16_t& LaserFrames;
  int16_t& LaserColorIndex;
  std::span<const uint8_t>&SndExplode, &SndLaser, &SndLaserExplode;
  int16_t &LastMouseX, &LastMouseY;
  int64_t &NextFrameTime, &NextSecondTime, &NextSpinChangeTime;
  int64_t &NextAutoFireTime, &AutoFireHoldUntil;
  Surface& picSource;
  Mask& picMaskWork;
  std::array<Surface, kSizeSteps + 1>& picArray;
  std::array<Mask, kSizeSteps + 1>& picNewMask;
  std::array<Surface, kBoomFrameCount>& picBoom;
  Surface& picBoomMask;
};
