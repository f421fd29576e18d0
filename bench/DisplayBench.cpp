// How long a frame and an activation take, on a 1920 x 1080 surface without a screen.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "display/frmStarfield3.h"
#include "platform/core/ManualClock.h"
#include "platform/core/OffscreenDisplayWindow.h"

namespace {

class Silence : public SoundPlayer {
 public:
  void Play(std::span<const uint8_t>) override {}
};

struct Scene {
  Scene(int pictures, int stars) : window(1920, 1080), form(settings, clock, random, sound, media) {
    modMain::SetDefaultSettings(settings);
    settings.PicCount = int16_t(pictures);
    settings.StarCount = int16_t(stars);
    settings.TargetPractice = false;
    window.surface.TrackChanges(true);  // as the window's surface does
    form.Attach(&window);
    form.Form_Activate();
  }
  modMain::SettingsRecord settings;
  ManualClock clock{1000};
  XorShiftRandom random{7};
  Silence sound;
  EmbeddedMedia media;
  OffscreenDisplayWindow window;
  frmStarfield3 form;
};

// Frames as the loop runs them: 30 ms apart, with automatic fire and its explosions.
void DrawFrameBench(benchmark::State& state) {
  Scene scene(int(state.range(0)), int(state.range(1)));
  for (int i = 0; i < 200; ++i) {  // past the first seeding, into a steady state
    scene.clock.Advance(30);
    scene.form.Form_Paint();
  }
  for (auto _ : state) {
    scene.clock.Advance(30);
    scene.form.Form_Paint();
    scene.window.surface.Changes().Take();  // what the window does with each frame
  }
}
BENCHMARK(DrawFrameBench)->Args({15, 150})->Args({100, 400})->Unit(benchmark::kMicrosecond);

// The same frames as the running program meets them: 30 ms apart, with the X server and the
// rest of the desktop through the caches in between. Here a walk through 64 MB stands for that.
void DrawFrameColdBench(benchmark::State& state) {
  Scene scene(int(state.range(0)), int(state.range(1)));
  std::vector<uint8_t> other(64 << 20, 1);
  for (int i = 0; i < 200; ++i) {
    scene.clock.Advance(30);
    scene.form.Form_Paint();
  }
  for (auto _ : state) {
    state.PauseTiming();
    for (size_t i = 0; i < other.size(); i += 64) other[i] = uint8_t(other[i] + 1);
    state.ResumeTiming();
    scene.clock.Advance(30);
    scene.form.Form_Paint();
    scene.window.surface.Changes().Take();
  }
  benchmark::DoNotOptimize(other.data());
}
BENCHMARK(DrawFrameColdBench)->Args({15, 150})->Args({100, 400})->Unit(benchmark::kMicrosecond);

// SeedScene and PrepareSprites, for each of the four pictures.
void ActivationBench(benchmark::State& state) {
  Scene scene(15, 150);
  scene.settings.PicSelected = int16_t(state.range(0));
  for (auto _ : state) {
    scene.form.SeedScene();
    scene.form.PrepareSprites();
  }
}
BENCHMARK(ActivationBench)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
