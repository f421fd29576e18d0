#include "platform/ScreenCompose.h"

#include <gtest/gtest.h>

TEST(ScreenCompose, SurfacePixelsReachTheScreenInItsOrderWithTheOverlaysOnTop) {
  Surface surface(40, 30, RGB(0x11, 0x22, 0x33));
  std::vector<uint32_t> screen(40 * 30, 0xDEADBEEF);
  ScreenOverlays none;
  ComposeForScreen(surface, {0, 0, 20, 30}, none, screen.data(), 40);
  EXPECT_EQ(screen[0], 0x112233u);     // red now in the high byte
  EXPECT_EQ(screen[25], 0xDEADBEEFu);  // outside the rectangle: untouched

  Surface panel(4, 2, RGB(255, 255, 255));
  LineGeometry line{0, 20, 39, 20, RGB(255, 0, 0), true};
  LineGeometry hidden{0, 5, 39, 5, RGB(0, 255, 0), false};
  ScreenOverlays overlays{{line, hidden}, &panel};
  ComposeForScreen(surface, {0, 0, 40, 30}, overlays, screen.data(), 40);
  EXPECT_EQ(screen[1 * 40 + 3], 0xFFFFFFu);                    // the panel
  EXPECT_EQ(screen[2 * 40 + 3], 0x112233u);                    // below the panel
  EXPECT_EQ(screen[20 * 40 + 10], 0xFF0000u);                  // on the line
  EXPECT_EQ(screen[22 * 40 + 10], 0xFF0000u);                  // within half its 5-pixel width
  EXPECT_EQ(screen[23 * 40 + 10], 0x112233u);                  // beyond it
  EXPECT_EQ(screen[5 * 40 + 10], 0x112233u);                   // a hidden line draws nothing
  EXPECT_EQ(surface.GetPixel(10, 20), RGB(0x11, 0x22, 0x33));  // and the surface is untouched
}
