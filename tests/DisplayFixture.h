// A display form on a surface without a screen, with a hand-driven clock, a generator that
// gives the same draws every run, and a sound player that only records what it was asked.
#pragma once

#include <gtest/gtest.h>

#include "display/StarfieldProbe.h"
#include "display/frmStarfield3.h"
#include "platform/core/ManualClock.h"
#include "platform/core/OffscreenDisplayWindow.h"
#include "tests/fakes/ScriptedRandom.h"

class DeterministicRandom : public XorShiftRandom {
 public:
  void SeedFromTime() override { Seed(12345); }
};

class RecordingSound : public SoundPlayer {
 public:
  void Open() override { ++opened; }
  void Play(std::span<const uint8_t> wave) override { played.push_back(wave.data()); }
  int opened = 0;
  std::vector<const uint8_t*> played;  // which buffer each sound came from
};

class DisplayFixture : public ::testing::Test {
 protected:
  DisplayFixture() : window(800, 600), form(settings, clock, random, sound, media) {
    modMain::SetDefaultSettings(settings);
  }

  // Attaches the window and runs the activation at clock `t`.
  void Activate(int64_t t = 1000) {
    clock.Set(t);
    form.Attach(&window);
    form.Form_Activate();
  }

  // Slot i as if drawn last frame at (x, y) with size step k, not exploding.
  void Put(int i, int16_t x, int16_t y, int16_t k) {
    SlotState slot = probe.Slot(i);
    slot.ScreenX = x;
    slot.ScreenY = y;
    slot.SizeIndex = k;
    slot.ExplodeStep = 0;
    probe.PlaceSlot(i, slot);
  }

  // Runs passes every millisecond up to clock `t`, as the window's timer would.
  void RunUntil(int64_t t) {
    while (clock.NowMs() < t) {
      clock.Advance(1);
      if (clock.NowMs() >= form.NextPassDue()) form.Form_Paint();
    }
  }

  modMain::SettingsRecord settings;
  ManualClock clock;
  DeterministicRandom random;
  RecordingSound sound;
  EmbeddedMedia media;
  OffscreenDisplayWindow window;
  frmStarfield3 form;
  StarfieldProbe probe{form};
};
