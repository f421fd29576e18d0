// The display form: the full-screen starfield, its 500-slot scene, its frame loop, drawing,
// sprites, lasers, sounds and input rules. Free of any toolkit: it draws into the surface of
// a DisplayWindow, reads one injected Clock and Random, plays through a SoundPlayer and takes
// its pictures and sounds from a MediaSource.
//
// The form object lives as long as the process; its window comes and goes with each showing.
// Values that activation does not set (LaserFrames, LaserColorIndex, NextAutoFireTime,
// ScreenX, ScreenY) carry over to the next showing.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "media/MediaSource.h"
#include "media/MediaTable.h"
#include "platform/core/Clock.h"
#include "platform/core/DisplayWindow.h"
#include "platform/core/Mask.h"
#include "platform/core/Random.h"
#include "platform/core/SoundPlayer.h"
#include "platform/core/Surface.h"
#include "startup/Settings.h"

using modMain::kSlotCount;
constexpr int kSizeSteps = 50;
constexpr int kBoomFrameCount = media::kBoomFrames;

constexpr int64_t kFramePeriodMs = 30;  // about 33 frames a second
constexpr int64_t kBookkeepingPeriodMs = 1000;
constexpr int64_t kFirstSpinChangeMs = 5000;
constexpr int64_t kAutoFirePeriodMs = 100;        // at most ten automatic shots a second
constexpr int64_t kAutoFireHoldAtStartMs = 5000;  // target practice only
constexpr int64_t kAutoFireHoldAfterClickMs = 10000;

template <typename T>
using SlotArray = std::array<T, kSlotCount + 1>;  // index 0 exists and is never used

class frmStarfield3 : public DisplayEvents {
 public:
  frmStarfield3(const modMain::SettingsRecord& settings, Clock& clock, Random& random,
                SoundPlayer& sound, MediaSource& media);

  // The window of the current showing, with the surfaces that come with it; nullptr
  // detaches it when the window has gone. Throws when the explosion frames cannot be read.
  void Attach(DisplayWindow* window);

  // Window events.
  void Form_Activate() override;
  bool Form_Paint() override;
  int64_t NextPassDue() const override;
  void Form_Resize() override;
  void Form_Unload();
  void Form_KeyDown(int keyCode, int shift) override;
  void Form_KeyPress(int keyAscii) override;
  void Form_MouseDown(int button, int shift, float x, float y) override;
  void Form_MouseMove(int button, int shift, float x, float y) override;

  // Scene.
  void ResetStuff(int16_t Index);
  void SeedScene();

  // Sprites: PrepareSprites loads the chosen picture into picSource and builds from it.
  void PrepareSprites();
  void BuildSprites();
  void CreateMask();

  // Drawing.
  void DrawFrame();
  void ChangeSpinDirection();

  // Lasers.
  void FireLaser(int16_t X, int16_t Y);
  void AutoFire();

 private:
  friend class StarfieldProbe;  // the one way in for tests and the media generator

  // The slot table.
  SlotArray<double> Radius{}, Angle{}, Velocity{};
  SlotArray<int16_t> ScreenX{}, ScreenY{};
  SlotArray<int16_t> StarRed{}, StarGreen{}, StarBlue{};
  SlotArray<int16_t> SizeIndex{}, ExplodeStep{};

  // Each slot's last direction: stars keep theirs while the spin is off, so the cosine and
  // sine of an angle already seen are taken from here. The first angle never matches NaN.
  struct Direction {
    double angle = std::numeric_limits<double>::quiet_NaN();
    double cos = 0, sin = 0;
  };
  SlotArray<Direction> directions_{};

  // Form state.
  int16_t iSPinDirection = 0;
  int16_t CenterX = 0, CenterY = 0, MaxX = 0, MaxY = 0;
  Surface* FormDC = nullptr;
  Colour BackColor = kBlack;
  int16_t LaserFrames = 0;
  int16_t LaserColorIndex = 0;
  std::span<const uint8_t> SndExplode, SndLaser, SndLaserExplode;  // the media source's bytes
  int16_t LastMouseX = 0, LastMouseY = 0;
  int64_t NextFrameTime = 0, NextSecondTime = 0, NextSpinChangeTime = 0;
  int64_t NextAutoFireTime = 0, AutoFireHoldUntil = 0;

  // Picture surfaces; elements 1..50 of the arrays and picSource exist from PrepareSprites
  // to the unload of the window.
  Surface picSource;
  Mask picMaskWork;
  std::array<Surface, kSizeSteps + 1> picArray;
  std::array<Mask, kSizeSteps + 1> picNewMask;
  std::array<Surface, kBoomFrameCount> picBoom;
  Surface picBoomMask;

  void TakeWindowSize();
  void LoadSounds();
  void Bookkeeping(int64_t now);
  void AutoFireIfDue(int64_t now);
  void ExplodeStepOf(int i);
  void MoveSlot(int i);
  void ProjectSlot(int i);
  void DrawStar(int i, int16_t oldX, int16_t oldY);
  void DrawImage(int i, int16_t oldX, int16_t oldY, int16_t oldSize);
  void LaserCountdown();
  void Shoot(int16_t X, int16_t Y);
  void ShowBeams(float x1, float x2, float y, Colour colour);
  void Close();

  const modMain::SettingsRecord& settings_;
  Clock& clock_;
  Random& random_;
  SoundPlayer& sound_;
  MediaSource& media_;
  DisplayWindow* window_ = nullptr;
};
