// The way to the screen through buffers the screen keeps for a while (a compositor's), with
// the scene drawn straight into them: after every frame it shows, what the screen holds is
// exactly the scene (drawn the same way into pixels of its own) with the beams and the panel
// over it, whichever buffers the screen gave back and whenever, at any scale, across a resize
// and after the buffers go. And a beam drawn by us never leaves a pixel outside the boxes
// that repaint it.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "platform/core/BeamPainter.h"
#include "platform/core/BufferedPresenter.h"

namespace {

// A screen that reads a buffer as a compositor does: it copies only the area it is told
// changed, and keeps each buffer until the test gives it back.
class FakeScreen : public BufferedPresenter {
 public:
  std::vector<uint32_t> shown;  // what the screen holds
  std::vector<std::vector<uint32_t>> buffers;
  std::vector<bool> held;
  int width = 0, shows = 0, made = 0, last = -1;
  std::function<void()> onWait;  // what the screen does while a frame waits for a buffer

  void Release(int index) {
    if (index < int(held.size())) held[size_t(index)] = false;
  }

 protected:
  uint32_t* MakeBuffer(int index, int w, int h) override {
    buffers.resize(size_t(index) + 1);
    held.resize(size_t(index) + 1, false);
    buffers[size_t(index)].assign(size_t(w) * size_t(h), 0xFF123456u);  // never shown as is
    if (shown.size() != size_t(w) * size_t(h)) shown.assign(size_t(w) * size_t(h), 0xFF654321u);
    width = w;
    ++made;
    return buffers[size_t(index)].data();
  }
  bool BufferFree(int index) override { return !held[size_t(index)]; }
  void AwaitRelease() override {
    if (onWait) onWait();
  }
  void ShowBuffer(int index, const std::vector<PixelRect>& changed) override {
    const std::vector<uint32_t>& from = buffers[size_t(index)];
    for (const PixelRect& r : changed) {
      for (int y = r.y; y < r.y + r.height; ++y) {
        const size_t at = size_t(y) * size_t(width) + size_t(r.x);
        std::copy_n(from.begin() + long(at), r.width, shown.begin() + long(at));
      }
    }
    held[size_t(index)] = true;
    last = index;
    ++shows;
  }
  void DropBuffers() override {
    buffers.clear();
    held.clear();
  }
};

// How the screen gives buffers back.
enum class Giving { AtOnce, OnTheNextShow, Whenever, Never };

class BufferedPresenterTest : public ::testing::TestWithParam<std::tuple<Giving, int>> {
 protected:
  void Attach(int width, int height) {
    screen.Attach(presenter.Reset(width, height), width, height, scale);
    reference.Attach(nullptr, width, height, scale);
  }

  // What the screen must show: the scene, the panel, the beams.
  std::vector<uint32_t> Expected() {
    const int w = reference.DeviceWidth(), h = reference.DeviceHeight();
    reference.TakeChanges();
    std::vector<uint32_t> pixels(reference.DevicePixels(),
                                 reference.DevicePixels() + size_t(w) * size_t(h));
    if (panelShown) {
      for (int y = 0; y < std::min(h, panel.Height()); ++y)
        std::copy_n(panel.Row(y), std::min(w, panel.Width()), pixels.begin() + long(y) * w);
    }
    for (const LineGeometry& beam : beams) PaintBeam(pixels.data(), w, h, beam);
    return pixels;
  }

  // A frame of the scene: a few blocks drawn, a beam moved, shown or hidden now and then.
  void DrawFrame() {
    presenter.WaitIdle(screen);
    Surface& scene = screen.Scene();
    for (int i = 0; i < 4; ++i) {
      const int x = Pick(-8, scene.Width()), y = Pick(-8, scene.Height());
      const int w = Pick(1, 24), h = Pick(1, 24);
      const Colour colour = Colour(Pick(0, 0xFFFFFF));
      scene.FillRect(x, y, w, h, colour);
      reference.Scene().FillRect(x, y, w, h, colour);
    }
    if (Pick(0, 3) == 0) MoveBeam();
  }

  void MoveBeam() {
    const int which = Pick(0, 1);
    const LineGeometry before = beams[size_t(which)];
    LineGeometry& beam = beams[size_t(which)];
    beam.Visible = Pick(0, 2) != 0;
    beam.X1 = float(Pick(-20, screen.DeviceWidth() + 20)),
    beam.Y1 = float(Pick(-20, screen.DeviceHeight() + 20));
    beam.X2 = float(Pick(0, screen.DeviceWidth())), beam.Y2 = float(Pick(0, screen.DeviceHeight()));
    beam.BorderColor = Colour(Pick(0, 0xFFFFFF));
    presenter.BeamMoved(before, beam);
  }

  void GiveBack(Giving giving, int lastShown) {
    if (giving == Giving::Never) return;
    for (int i = 0; i < int(presenter.held.size()); ++i) {
      const bool give = giving == Giving::AtOnce ||
                        (giving == Giving::OnTheNextShow && i != lastShown) ||
                        (giving == Giving::Whenever && Pick(0, 2) == 0);
      if (give) presenter.Release(i);
    }
  }

  int Pick(int least, int most) { return std::uniform_int_distribution<int>(least, most)(random); }

  std::mt19937 random{20261209};
  int scale = std::get<1>(GetParam());
  ScaledSurface screen;
  ScaledSurface reference;  // the same scene in pixels of its own
  FakeScreen presenter;
  Surface panel{90, 12, 0x00FF00};
  bool panelShown = true;
  std::array<LineGeometry, 2> beams{};
};

TEST_P(BufferedPresenterTest, TheScreenShowsTheSurfaceWithItsOverlaysAfterEveryFrame) {
  const Giving giving = std::get<0>(GetParam());
  presenter.onWait = [&] {  // a compositor that gives one back while we wait, now and then
    if (giving == Giving::Whenever && Pick(0, 1) == 0) GiveBack(Giving::AtOnce, -1);
  };
  presenter.SetPanelImage(&panel);
  Attach(320, 200);
  for (int frame = 0; frame < 400; ++frame) {
    if (frame == 200) Attach(256, 160);  // a resize: every buffer made again
    panelShown = frame < 30;
    DrawFrame();
    ScreenOverlays overlays;
    overlays.lines = beams;
    overlays.panelText = panelShown ? "panel" : nullptr;
    presenter.Present(screen, overlays);
    if (frame % 7 == 0) {  // a beam moves, and nothing is drawn into the scene
      MoveBeam();
      overlays.lines = beams;
      presenter.Present(screen, overlays);
      ASSERT_EQ(presenter.shown, Expected()) << "frame " << frame << ", beam alone";
    }
    ASSERT_EQ(presenter.shown, Expected()) << "frame " << frame;
    GiveBack(giving, presenter.last);
  }
  EXPECT_GT(presenter.shows, 420);
  // Each size's buffers: two that take turns, a third only for a screen that keeps both.
  const int most = giving == Giving::AtOnce || giving == Giving::OnTheNextShow
                       ? 2 * BufferedPresenter::kTurns
                       : 2 * BufferedPresenter::kMostBuffers;
  EXPECT_LE(presenter.made, most);

  // The buffers go (the output did): the scene stays, without the overlays.
  presenter.Detach(screen);
  presenter.Reset(0, 0);
  screen.TakeChanges();
  ASSERT_NE(screen.DevicePixels(), nullptr);
  EXPECT_TRUE(std::equal(screen.DevicePixels(),
                         screen.DevicePixels() + size_t(screen.DeviceWidth()) * 160,
                         reference.DevicePixels()));
}

INSTANTIATE_TEST_SUITE_P(Compositors, BufferedPresenterTest,
                         ::testing::Combine(::testing::Values(Giving::AtOnce, Giving::OnTheNextShow,
                                                              Giving::Whenever, Giving::Never),
                                            ::testing::Values(1, 2)));

TEST(BeamPainterTest, ABeamStaysInsideTheBoxesThatRepaintIt) {
  constexpr int kWidth = 400, kHeight = 300;
  std::mt19937 random(7);
  auto pick = [&](int least, int most) {
    return float(std::uniform_int_distribution<int>(least, most)(random));
  };
  for (int line = 0; line < 300; ++line) {
    LineGeometry beam;
    beam.Visible = true;
    beam.BorderColor = 0xFFFFFF;
    beam.X1 = pick(-50, kWidth + 50), beam.Y1 = pick(-50, kHeight + 50);
    beam.X2 = line % 10 == 0 ? beam.X1 : pick(0, kWidth);  // some are points or upright
    beam.Y2 = line % 20 == 0 ? beam.Y1 : pick(0, kHeight);
    std::vector<uint32_t> pixels(size_t(kWidth) * kHeight, 0);
    PaintBeam(pixels.data(), kWidth, kHeight, beam);
    std::vector<PixelRect> boxes;
    AddBeamBoxes(beam, boxes);
    int lit = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (pixels[size_t(y) * kWidth + size_t(x)] == 0) continue;
        ++lit;
        const bool boxed = std::any_of(boxes.begin(), boxes.end(), [&](const PixelRect& b) {
          return x >= b.x && x < b.x + b.width && y >= b.y && y < b.y + b.height;
        });
        ASSERT_TRUE(boxed) << "line " << line << " pixel " << x << "," << y;
      }
    }
    const bool onScreen = beam.X2 >= 0 && beam.X2 < kWidth && beam.Y2 >= 0 && beam.Y2 < kHeight;
    if (onScreen) {
      EXPECT_GE(lit, 9) << "line " << line;  // a point is a disc 5 pixels across
    }
  }
}

}  // namespace
