// The presentation path against a real X server (the test runs under its own Xvfb): after
// every frame, what the window shows is exactly the surface, pixel for pixel, both through
// shared memory and through plain puts.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "platform/desktop/ServerPresenter.h"
#include "platform/desktop/XcbPresenter.h"
#include "tests/DisplayFixture.h"

namespace {

constexpr int kWidth = 640, kHeight = 480;

class PresentTest : public DisplayFixture {
 protected:
  PresentTest() : c(Connect()) {
    if (xcb_connection_has_error(c)) return;
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    id = xcb_generate_id(c);
    const uint32_t values[] = {screen->black_pixel, 1};  // black, never unmapped by the WM
    xcb_create_window(c, XCB_COPY_FROM_PARENT, id, screen->root, 0, 0, kWidth, kHeight, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(c, id);
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    settings.PicCount = 40;
    settings.StarCount = 300;
    settings.TargetPractice = false;  // automatic fire: explosions from the start
    settings.ShowLasers = false;      // the server draws beams over the window, not from it
  }
  ~PresentTest() override { xcb_disconnect(c); }

  // When its last client goes (the test before), the X server resets itself and turns away a
  // client that comes meanwhile: a few tries before giving up.
  static xcb_connection_t* Connect() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    for (int attempt = 0; attempt < 20 && xcb_connection_has_error(connection); ++attempt) {
      xcb_disconnect(connection);
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
      connection = xcb_connect(nullptr, nullptr);
    }
    return connection;
  }

  // What the window shows, as the surface keeps it (0xFFRRGGBB).
  std::vector<uint32_t> Shown() {
    auto* reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, id, 0, 0, kWidth, kHeight, ~0u), nullptr);
    std::vector<uint32_t> pixels(size_t(kWidth) * kHeight);
    if (!reply) return {};
    std::memcpy(pixels.data(), xcb_get_image_data(reply), pixels.size() * 4);
    std::free(reply);
    for (uint32_t& p : pixels) p |= 0xFF000000u;
    return pixels;
  }

  // Runs frames through `presenter`, comparing the window with the surface after each.
  void ExpectFramesShownExactly(XcbPresenter& presenter) {
    Surface& surface = window.surface;
    surface.UseBorrowedPixels(presenter.Pixels(), kWidth, kHeight, kBlack);
    surface.TrackChanges(true);
    Activate();
    presenter.Present({{0, 0, kWidth, kHeight}}, {});
    surface.Changes().Take();
    for (int frame = 0; frame < 40; ++frame) {
      presenter.WaitIdle();
      clock.Advance(30);
      form.Form_Paint();
      presenter.Present(surface.Changes().Take(), {});
      presenter.WaitIdle();
      const std::vector<uint32_t> shown = Shown();
      ASSERT_EQ(shown.size(), size_t(kWidth) * kHeight);
      size_t differing = 0;
      for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x)
          differing += shown[size_t(y) * kWidth + x] != surface.Row(y)[x];
      }
      ASSERT_EQ(differing, 0u) << "frame " << frame;
    }
  }

  xcb_connection_t* c;
  uint32_t id = 0;
};

TEST_F(PresentTest, SharedMemoryShowsEveryFrameExactly) {
  ASSERT_NE(id, 0u) << "no X display";
  window = OffscreenDisplayWindow(kWidth, kHeight);
  auto presenter = XcbPresenter::Create(c, id, kWidth, kHeight);
  ASSERT_TRUE(presenter);
  ASSERT_TRUE(presenter->SharesMemory());
  ExpectFramesShownExactly(*presenter);
}

TEST_F(PresentTest, PlainPutsShowEveryFrameExactly) {
  ASSERT_NE(id, 0u) << "no X display";
  window = OffscreenDisplayWindow(kWidth, kHeight);
  setenv("SKORVANE_NO_SHM", "1", 1);
  auto presenter = XcbPresenter::Create(c, id, kWidth, kHeight, XcbPresenter::Fallback::PlainPut);
  unsetenv("SKORVANE_NO_SHM");
  ASSERT_TRUE(presenter);
  ASSERT_FALSE(presenter->SharesMemory());
  ExpectFramesShownExactly(*presenter);
}

TEST_F(PresentTest, BeamsGoWithoutATraceAtEitherScale) {
  // Stars, boxes and a beam that moves or goes, frame after frame: whenever no beam shows, the
  // window is the device pixels exactly, so what each beam covered was put again in full.
  ASSERT_NE(id, 0u) << "no X display";
  for (int scale : {1, 2}) {
    std::unique_ptr<XcbPresenter> xcb = XcbPresenter::Create(c, id, kWidth, kHeight);
    ASSERT_TRUE(xcb && xcb->SharesMemory());
    uint32_t* device = xcb->Pixels();
    ServerPresenter presenter(std::move(xcb));
    ScaledSurface screen;
    screen.Attach(device, kWidth, kHeight, scale);
    presenter.PresentAll(screen, {});
    uint32_t seed = 2024u + uint32_t(scale);
    auto next = [&seed](int n) {
      seed = seed * 1103515245u + 12345u;
      return int((seed >> 8) % uint32_t(n));
    };
    LineGeometry shown;  // the beam on screen
    int compared = 0;
    for (int frame = 0; frame < 150; ++frame) {
      presenter.WaitIdle(screen);
      Surface& scene = screen.Scene();
      const int w = scene.Width(), h = scene.Height();
      for (int i = 0; i < 40; ++i) {
        scene.FillRect(next(w + 4) - 2, next(h + 4) - 2, 2, 2, Colour(next(0x1000000)));
      }
      if (frame % 5 == 0) {
        scene.FillRect(next(w) - 20, next(h) - 20, 10 + next(60), 10 + next(50),
                       Colour(next(0x1000000)));
      }
      LineGeometry beam;
      beam.Visible = frame % 3 != 2;
      if (beam.Visible) {
        beam.X1 = float(next(kWidth)), beam.Y1 = float(next(kHeight));
        beam.X2 = float(next(kWidth)), beam.Y2 = float(next(kHeight));
        beam.Width = float(1 + next(9));
        beam.BorderColor = RGB(255, 64, 0);
      }
      presenter.BeamMoved(shown, beam);
      shown = beam;
      ScreenOverlays overlays;
      overlays.lines = {beam, LineGeometry{}};
      presenter.Present(screen, overlays);
      if (beam.Visible) continue;
      presenter.WaitIdle(screen);
      const std::vector<uint32_t> window = Shown();
      ASSERT_EQ(window.size(), size_t(kWidth) * kHeight);
      size_t differing = 0;
      for (size_t i = 0; i < window.size(); ++i) differing += window[i] != device[i];
      ASSERT_EQ(differing, 0u) << "scale " << scale << ", frame " << frame;
      ++compared;
    }
    EXPECT_EQ(compared, 50);
  }
}

}  // namespace

namespace {

TEST_F(PresentTest, TheStartUpPanelIsTextOnBlackAndGoesWithoutATrace) {
  ASSERT_NE(id, 0u) << "no X display";
  window = OffscreenDisplayWindow(kWidth, kHeight);
  auto presenter = XcbPresenter::Create(c, id, kWidth, kHeight);
  ASSERT_TRUE(presenter);
  Surface& surface = window.surface;
  surface.UseBorrowedPixels(presenter->Pixels(), kWidth, kHeight, RGB(0, 0, 90));
  const char* text = "Initializing Screen Saver... Please Wait...";
  const PixelRect box = presenter->PanelBox(text);
  ASSERT_GT(box.width, 200);  // the server's fixed font: a few pixels a character
  ASSERT_GT(box.height, 10);

  ScreenOverlays overlays;
  overlays.panelText = text;
  presenter->Present({{0, 0, kWidth, kHeight}}, overlays);
  presenter->WaitIdle();
  std::vector<uint32_t> shown = Shown();
  size_t white = 0, black = 0;
  for (int y = 0; y < box.height; ++y) {
    for (int x = 0; x < box.width; ++x) {
      const uint32_t p = shown[size_t(y) * kWidth + x] & 0xFFFFFF;
      white += p == 0xFFFFFF;
      black += p == 0;
    }
  }
  EXPECT_GT(white, 100u);
  EXPECT_EQ(white + black, size_t(box.width) * size_t(box.height));     // nothing else in it
  EXPECT_EQ(shown[size_t(box.height) * kWidth] & 0xFFFFFF, 0x00005Au);  // the surface below it

  presenter->Present({box}, {});  // the panel's area put again from the surface
  presenter->WaitIdle();
  shown = Shown();
  for (int y = 0; y < box.height; ++y) {
    for (int x = 0; x < box.width; ++x) {
      ASSERT_EQ(shown[size_t(y) * kWidth + x], surface.Row(y)[x]) << x << "," << y;
    }
  }
}

}  // namespace

namespace {

TEST_F(PresentTest, AWindowJustMadeIsDrawnAndOneGoneIsNoTrouble) {
  ASSERT_NE(id, 0u) << "no X display";
  // A window whose creation is still in the toolkit's buffer: the presenter, on a connection
  // of its own, must not ask the server about it before the server has seen it.
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const uint32_t fresh = xcb_generate_id(c);
  const uint32_t values[] = {screen->black_pixel, 1};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, fresh, screen->root, 0, 0, kWidth, kHeight, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
  xcb_map_window(c, fresh);
  auto presenter = XcbPresenter::Create(c, fresh, kWidth, kHeight);
  ASSERT_TRUE(presenter);
  ASSERT_TRUE(presenter->SharesMemory());
  std::fill_n(presenter->Pixels(), kWidth * kHeight, 0xFF123456u);
  presenter->Present({{0, 0, kWidth, kHeight}}, {});
  presenter->WaitIdle();
  auto* reply = xcb_get_image_reply(
      c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, fresh, 10, 10, 1, 1, ~0u), nullptr);
  ASSERT_TRUE(reply);
  uint32_t pixel = 0;
  std::memcpy(&pixel, xcb_get_image_data(reply), 4);
  std::free(reply);
  EXPECT_EQ(pixel & 0xFFFFFF, 0x123456u);

  // The window goes first (its owner closed it): frames still come and go, many of them.
  xcb_destroy_window(c, fresh);
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  for (int frame = 0; frame < 200; ++frame) {
    presenter->WaitIdle();
    presenter->Present({{0, 0, kWidth, kHeight}}, {});
  }
  presenter->WaitIdle();
  presenter.reset();
  EXPECT_FALSE(xcb_connection_has_error(c));
}

}  // namespace
