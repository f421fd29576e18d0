#include <gtest/gtest.h>

#include "tests/DisplayFixture.h"

namespace {

class FrameLoopTest : public DisplayFixture {
 protected:
  // Counts the frames by the laser-free, cheapest witness: NextFrameTime moves on a frame.
  bool PaintAt(int64_t t) {
    clock.Set(t);
    return form.Form_Paint();
  }
};

}  // namespace

TEST_F(FrameLoopTest, ActivationSetsTheClocksAndPreparesTheWindow) {
  settings.TargetPractice = false;
  const int64_t t = 5000;
  Activate(t);
  EXPECT_EQ(probe.Schedule().NextSecondTime, t);
  EXPECT_EQ(probe.Schedule().NextFrameTime, t + 30);
  EXPECT_EQ(probe.Schedule().NextSpinChangeTime, t + 5000);
  EXPECT_EQ(probe.Schedule().AutoFireHoldUntil, 0);
  EXPECT_EQ(probe.View().CenterX, 400);
  EXPECT_EQ(probe.View().CenterY, 300);
  EXPECT_EQ(probe.View().MaxX, 800);
  EXPECT_EQ(probe.View().MaxY, 600);
  EXPECT_EQ(window.line1.Geometry().X1, 0.0f);
  EXPECT_EQ(window.line1.Geometry().Y1, 600.0f);
  EXPECT_EQ(window.line2.Geometry().X1, 800.0f);
  EXPECT_TRUE(window.panelHidden);
  EXPECT_EQ(window.pointers,
            (std::vector<MousePointer>{MousePointer::Busy, MousePointer::Crosshair}));
  EXPECT_EQ(window.cursorCount, -1);  // hidden without target practice
  EXPECT_EQ(probe.SndLaser().size(), 3916u);
  EXPECT_EQ(probe.SndLaserExplode().size(), 38652u);
  EXPECT_EQ(probe.SndExplode().size(), 308804u);
  EXPECT_EQ(sound.opened, 1);

  form.Form_Unload();
  EXPECT_EQ(window.pointers.back(), MousePointer::Default);
  EXPECT_EQ(window.cursorCount, 1);
}

TEST_F(FrameLoopTest, WithTargetPracticeTheCursorStaysAndAutoFireWaitsFiveSeconds) {
  settings.Sound = false;
  Activate(2000);
  EXPECT_EQ(sound.opened, 0);  // the effects are loaded all the same
  EXPECT_EQ(probe.SndLaser().size(), 3916u);
  EXPECT_EQ(window.cursorCount, 0);
  EXPECT_EQ(probe.Schedule().AutoFireHoldUntil, 7000);
  form.Form_Unload();
  EXPECT_EQ(window.cursorCount, 0);  // never hidden, never shown more
}

TEST_F(FrameLoopTest, TheWorkedScheduleFromActivation) {
  settings.TargetPractice = false;
  settings.PicCount = 0;  // nothing for automatic fire to hit
  const int64_t t = 10000;
  Activate(t);
  EXPECT_FALSE(PaintAt(t + 1));
  EXPECT_EQ(probe.Schedule().NextAutoFireTime,
            t + 101);  // automatic fire ran on a pass with no frame
  EXPECT_EQ(form.NextPassDue(), t + 30);
  for (int64_t now = t + 2; now <= t + 29; ++now) EXPECT_FALSE(PaintAt(now));
  EXPECT_EQ(probe.Schedule().NextAutoFireTime, t + 101);
  EXPECT_TRUE(PaintAt(t + 30));
  EXPECT_EQ(probe.Schedule().NextSecondTime, t + 1000);
  EXPECT_EQ(probe.Schedule().NextFrameTime, t + 60);
  EXPECT_EQ(probe.Schedule().NextAutoFireTime, t + 101);  // t + 30 is before it
  EXPECT_EQ(probe.Schedule().NextSpinChangeTime, t + 5000);
  EXPECT_EQ(form.NextPassDue(), t + 60);
}

TEST_F(FrameLoopTest, ALateFrameIsFollowedAtOnceButNeverByABurst) {
  const int64_t t = 10000;
  Activate(t);
  EXPECT_TRUE(PaintAt(t + 30));
  EXPECT_TRUE(PaintAt(t + 160));  // that frame took 100 ms
  EXPECT_EQ(probe.Schedule().NextFrameTime, t + 160);
  EXPECT_TRUE(PaintAt(t + 161));  // the next one is due at once
  EXPECT_EQ(probe.Schedule().NextFrameTime, t + 190);
  EXPECT_FALSE(PaintAt(t + 170));
  EXPECT_TRUE(PaintAt(t + 190));
}

TEST_F(FrameLoopTest, BookkeepingCatchesUpOneSecondPerFrameAfterAStall) {
  const int64_t t = 10000;
  Activate(t);
  EXPECT_TRUE(PaintAt(t + 30));
  EXPECT_EQ(probe.Schedule().NextSecondTime, t + 1000);
  PaintAt(t + 4500);  // stalled for seconds
  EXPECT_EQ(probe.Schedule().NextSecondTime, t + 2000);
  PaintAt(t + 4501);  // the late frame set the next one due at once
  EXPECT_EQ(probe.Schedule().NextSecondTime, t + 3000);
  EXPECT_FALSE(PaintAt(t + 4502));
  EXPECT_EQ(probe.Schedule().NextSecondTime, t + 3000);  // only frames do the bookkeeping
  PaintAt(t + 4531);
  EXPECT_EQ(probe.Schedule().NextSecondTime, t + 4000);
  PaintAt(t + 4561);
  EXPECT_EQ(probe.Schedule().NextSecondTime, t + 5000);
  PaintAt(t + 4591);
  EXPECT_EQ(probe.Schedule().NextSecondTime, t + 5000);  // passed now again: no more catching up
}

TEST_F(FrameLoopTest, SpinChangesComeFiveToTenSecondsApart) {
  const int64_t t = 10000;
  Activate(t);
  RunUntil(t + 5000);
  EXPECT_EQ(probe.Schedule().NextSpinChangeTime, t + 5000);  // not yet: the clock must pass it
  std::vector<int64_t> changes;
  int64_t last = probe.Schedule().NextSpinChangeTime;
  while (changes.size() < 5) {
    RunUntil(clock.NowMs() + 10);
    if (probe.Schedule().NextSpinChangeTime != last) {
      changes.push_back(clock.NowMs());
      EXPECT_GE(probe.Schedule().NextSpinChangeTime - clock.NowMs(), 4990);
      EXPECT_LE(probe.Schedule().NextSpinChangeTime - clock.NowMs(), 10000);
      last = probe.Schedule().NextSpinChangeTime;
    }
  }
  EXPECT_GT(changes[0], t + 5000);
  EXPECT_LE(changes[0], t + 6010);  // at the first bookkeeping step after the 5 s
  for (size_t i = 1; i < changes.size(); ++i) {
    EXPECT_GE(changes[i] - changes[i - 1], 5000);
    EXPECT_LE(changes[i] - changes[i - 1], 11010);
  }
}

TEST_F(FrameLoopTest, AResizeClearsTheWindowAndMovesTheCentre) {
  Activate();
  RunUntil(2000);
  window.surface.Resize(640, 480, RGB(9, 9, 9));
  form.Form_Resize();
  EXPECT_EQ(window.surface.GetPixel(10, 10), kBlack);
  EXPECT_EQ(probe.View().CenterX, 320);
  EXPECT_EQ(probe.View().MaxY, 480);
  EXPECT_EQ(window.line2.Geometry().X1, 800.0f);  // the beams' origins stay where they were
}

TEST_F(FrameLoopTest, AFailedActivationStopsAtItsStepAndTheLoopStillRuns) {
  settings.PicSelected = 7;  // no such picture: activation stops at the sprites
  Activate(1000);
  EXPECT_FALSE(window.panelHidden);
  EXPECT_EQ(probe.View().CenterX, 0);
  EXPECT_TRUE(form.Form_Paint());  // every step of a pass is guarded: no throw, no stop
}

TEST_F(FrameLoopTest, OnlyTheProgramsOwnErrorsAreAbsorbedAndNoWindowMeansNoPass) {
  // A fault that is not a run-time error of the program (here the scripted generator running
  // dry: a test double's way of saying an extra draw happened) goes through the frame loop.
  modMain::SettingsRecord quiet;
  modMain::SetDefaultSettings(quiet);
  ScriptedRandom dry{};
  frmStarfield3 strict(quiet, clock, dry, sound, media);
  OffscreenDisplayWindow screen(320, 200);
  clock.Set(1000);
  strict.Attach(&screen);
  EXPECT_THROW(strict.Form_Activate(), std::logic_error);  // seeding draws from it

  // After the window has gone, a pass that the timer still delivers does nothing.
  Activate(1000);
  form.Form_Unload();
  form.Attach(nullptr);
  clock.Set(5000);
  EXPECT_FALSE(form.Form_Paint());
  form.Form_Resize();
  form.Form_MouseMove(0, 0, 10, 10);
  form.Form_MouseDown(1, 0, 10, 10);
}
