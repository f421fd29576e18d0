// The display window's life: activation, the passes of the frame loop, resize and unload.

#include "display/frmStarfield3.h"
#include "platform/core/Failure.h"
#include "platform/core/Numeric.h"

namespace {

constexpr int kSpinChangeAfterMs = 5000;   // later spin changes: 5 s ...
constexpr int kSpinChangeSpreadMs = 5000;  // ... plus up to 5 s more

}  // namespace

frmStarfield3::frmStarfield3(const modMain::SettingsRecord& settings, Clock& clock, Random& random,
                             SoundPlayer& sound, MediaSource& media)
    : settings_(settings), clock_(clock), random_(random), sound_(sound), media_(media) {}

void frmStarfield3::Attach(DisplayWindow* window) {
  window_ = window;
  if (!window_) return;
  // The surfaces that come with the window: element 0 of both arrays, the explosion frames
  // and the black cover that ends an explosion.
  picArray[0].Resize(32, 32, kBlack);
  picNewMask[0].Resize(28, 32, kWhite);
  for (int n = 0; n < kBoomFrameCount; ++n) picBoom[size_t(n)] = media_.BoomFrame(n);
  picBoomMask.Resize(media::kBoomWidth, media::kBoomHeight, kBlack);
}

void frmStarfield3::Form_Activate() {
  if (!window_) return;  // the window went before its activation came round
  // Activation stops at its first failure, silently.
  StopOnError([&] {
    FormDC = &window_->FormDC();
    BackColor = kBlack;
    window_->SetMousePointer(MousePointer::Busy);
    SeedScene();
    PrepareSprites();
    TakeWindowSize();
    window_->Line1().SetStart(0, window_->ScaleHeight());
    window_->Line2().SetStart(window_->ScaleWidth(), window_->ScaleHeight());
    LoadSounds();
    window_->SetMousePointer(MousePointer::Crosshair);
    window_->HideInitPanel();
    LastMouseX = 0;
    LastMouseY = 0;
    if (!settings_.TargetPractice) {
      while (window_->ShowCursor(false) >= 0) {
      }
    }
    const int64_t now = clock_.NowMs();
    NextSecondTime = now;
    NextFrameTime = now + kFramePeriodMs;
    NextSpinChangeTime = now + kFirstSpinChangeMs;
    AutoFireHoldUntil = settings_.TargetPractice ? clock_.NowMs() + kAutoFireHoldAtStartMs : 0;
  });
}

void frmStarfield3::TakeWindowSize() {
  CenterX = Nearest16(window_->ScaleWidth() * 0.5);
  CenterY = Nearest16(window_->ScaleHeight() * 0.5);
  MaxX = Nearest16(window_->ScaleWidth());
  MaxY = Nearest16(window_->ScaleHeight());
}

void frmStarfield3::LoadSounds() {
  SndExplode = media_.LoadResData("LEXPLODE.WAV", "SOUNDS");
  SndLaserExplode = media_.LoadResData("LASEREXPLODE.WAV", "SOUNDS");
  SndLaser = media_.LoadResData("LASER.WAV", "SOUNDS");
  if (settings_.Sound) sound_.Open();  // no sound device is held while sound is off
}

bool frmStarfield3::Form_Paint() {
  if (!window_ || !FormDC) return false;  // no window, or not activated yet
  // A failing step is skipped, so that one bad frame never stops the loop.
  const int64_t now = clock_.NowMs();
  const bool frameDue = now >= NextFrameTime;
  if (frameDue) {
    StopOnError([&] { Bookkeeping(now); });
    NextFrameTime += kFramePeriodMs;
    if (NextFrameTime < now) NextFrameTime = now;  // late: next frame at once, but no burst
    DrawFrame();                                   // a failing frame abandons itself
  }
  StopOnError([&] { AutoFireIfDue(now); });
  return frameDue;
}

void frmStarfield3::Bookkeeping(int64_t now) {
  if (now < NextSecondTime) return;
  NextSecondTime += kBookkeepingPeriodMs;
  if (now > NextSpinChangeTime) {
    ChangeSpinDirection();
    NextSpinChangeTime = int64_t(RoundHalfEven(double(random_.Next()) * kSpinChangeSpreadMs +
                                               double(now) + kSpinChangeAfterMs));
  }
}

void frmStarfield3::AutoFireIfDue(int64_t now) {
  if (now > AutoFireHoldUntil && now >= NextAutoFireTime) {
    AutoFire();
    NextAutoFireTime = now + kAutoFirePeriodMs;
  }
}

int64_t frmStarfield3::NextPassDue() const {
  return std::min(NextFrameTime, std::max(AutoFireHoldUntil + 1, NextAutoFireTime));
}

void frmStarfield3::Form_Resize() {
  if (!window_) return;
  window_->FormDC().Cls(BackColor);
  StopOnError([&] { TakeWindowSize(); });
}

void frmStarfield3::Form_Unload() {
  if (!window_) return;
  window_->SetMousePointer(MousePointer::Default);
  if (!settings_.TargetPractice) {
    while (window_->ShowCursor(true) < 1) {
    }
  }
  // The sprites go with the window; the sound buffers stay with the form.
  picSource = Surface();
  for (int k = 1; k <= kSizeSteps; ++k) {
    picArray[k] = Surface();
    picNewMask[k] = Mask();
  }
  FormDC = nullptr;
}
