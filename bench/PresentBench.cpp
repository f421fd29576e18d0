// The presentation path on its own: a frame's changed area, from a running scene, put into a
// real window of the X server named by $DISPLAY (run it under Xvfb, see bench/README.md).
// Counts what each frame costs the server: the changed tiles' runs and pixels, and the
// server's own CPU time.
#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "display/frmStarfield3.h"
#include "platform/core/ManualClock.h"
#include "platform/core/OffscreenDisplayWindow.h"
#include "platform/desktop/XcbPresenter.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

class Silence : public SoundPlayer {
 public:
  void Play(std::span<const uint8_t>) override {}
};

// The X server's pid, from the lock file of the display it serves: 0 when not found.
long ServerPid() {
  const char* display = std::getenv("DISPLAY");
  if (!display || display[0] != ':') return 0;
  std::ifstream lock("/tmp/.X" + std::string(display + 1, std::strcspn(display + 1, ".")) +
                     "-lock");
  long pid = 0;
  lock >> pid;
  return pid;
}

// CPU time of a process so far, in clock ticks.
long Ticks(long pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string field;
  long ticks = 0;
  for (int i = 1; i <= 15 && stat >> field; ++i) {
    if (i >= 14) ticks += std::atol(field.c_str());
  }
  return ticks;
}

struct Window {
  Window() : c(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(c)) return;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    id = xcb_generate_id(c);
    const uint32_t black = screen->black_pixel;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, id, screen->root, 0, 0, kWidth, kHeight, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL,
                      &black);
    xcb_map_window(c, id);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  }
  ~Window() { xcb_disconnect(c); }
  xcb_connection_t* c;
  uint32_t id = 0;
};

void PresentBench(benchmark::State& state) {
  // One window for every run: when its last client goes, an X server resets itself, and a
  // client that comes during the reset is turned away.
  static Window window;
  if (window.id == 0) return state.SkipWithError("no X display (run under Xvfb)");
  auto presenter = XcbPresenter::Create(window.c, window.id, kWidth, kHeight);
  if (!presenter) return state.SkipWithError("the X server shares no memory with us");

  modMain::SettingsRecord settings;
  modMain::SetDefaultSettings(settings);
  settings.PicCount = int16_t(state.range(0));
  settings.StarCount = int16_t(state.range(1));
  settings.TargetPractice = false;
  ManualClock clock{1000};
  XorShiftRandom random{7};
  Silence sound;
  OffscreenDisplayWindow screen(kWidth, kHeight);
  screen.surface.UseBorrowedPixels(presenter->Pixels(), kWidth, kHeight, kBlack);
  screen.surface.TrackChanges(true);
  EmbeddedMedia media;
  frmStarfield3 form(settings, clock, random, sound, media);
  form.Attach(&screen);
  form.Form_Activate();

  auto frame = [&](std::vector<PixelRect>& rects) {
    presenter->WaitIdle();
    clock.Advance(30);
    form.Form_Paint();
    rects = screen.surface.Changes().Take();
    ScreenOverlays overlays;
    overlays.lines = {screen.line1.Geometry(), screen.line2.Geometry()};
    presenter->Present(rects, overlays);
  };
  std::vector<PixelRect> rects;
  for (int i = 0; i < 200; ++i) frame(rects);  // into a steady state

  const long server = ServerPid(), serverBefore = server ? Ticks(server) : 0;
  double tiles = 0, pixels = 0;
  for (auto _ : state) {
    frame(rects);
    presenter->WaitIdle();  // the server's work is part of the frame
    tiles += double(rects.size());
    for (const PixelRect& r : rects) pixels += double(r.width) * double(r.height);
  }
  const double frames = double(state.iterations());
  state.counters["tile_runs"] = tiles / frames;  // the rectangles the put is clipped to
  state.counters["kpixels"] = pixels / frames / 1000;
  if (server) {
    const double ms = double(Ticks(server) - serverBefore) * 1000.0 / double(sysconf(_SC_CLK_TCK));
    state.counters["server_us"] = ms * 1000 / frames;
  }
}
BENCHMARK(PresentBench)
    ->Args({15, 150})
    ->Args({100, 400})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime()
    ->MinTime(3);

}  // namespace
