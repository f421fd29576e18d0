// Looks at the screen quickly, for end-to-end checks of things that last a frame or two.
//   screen_probe aim RRGGBB X Y W H         the middle of the first patch of that colour in
//                                           the area (scanned row by row): "x y"
//   screen_probe count MS RRGGBB...          most pixels of those colours in one capture, of
//                                            those taken over MS milliseconds (at least one)
//   screen_probe count-in MS X Y W H RRGGBB... the same, in the area only
//   screen_probe fire MS X Y W H             most fire-coloured pixels in the area, the same way
//   screen_probe squares S X Y W H          lit pixels of the area, and how many of them differ
//                                           from the rest of their aligned S x S square: "lit odd"
//   screen_probe centre X Y W H             where the lit pixels of the area centre: "x y"
//   screen_probe hold-keyboard MS            grabs the keyboard, as a menu or a locker does,
//                                           prints "held" and lets go after MS milliseconds
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Area {
  int x, y, w, h;
};

// The root window's pixels in the area, as 0x00RRGGBB (a 24-bit screen in 32-bit pixels).
std::vector<uint32_t> Capture(xcb_connection_t* c, xcb_window_t root, const Area& a) {
  auto* reply = xcb_get_image_reply(c,
                                    xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, int16_t(a.x),
                                                  int16_t(a.y), uint16_t(a.w), uint16_t(a.h), ~0u),
                                    nullptr);
  std::vector<uint32_t> pixels;
  if (!reply) return pixels;
  const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply));
  pixels.assign(data, data + size_t(a.w) * size_t(a.h));
  std::free(reply);
  for (uint32_t& p : pixels) p &= 0xFFFFFF;
  return pixels;
}

// The most `count` gives for one capture, captures taken for `ms` milliseconds: a watch of
// a time, not of a number of captures, as a capture's cost differs from machine to machine.
template <typename Count>
long MostOver(int ms, Count count) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  long best = 0;
  do {
    best = std::max(best, count());
  } while (std::chrono::steady_clock::now() < end);
  return best;
}

// The first pixel of the colour is a patch's top edge, where a moving sprite soon is not; the
// middle of that colour's pixels in the box below it is well inside the patch.
bool AimAt(const std::vector<uint32_t>& pixels, const Area& a, uint32_t colour, int& x, int& y) {
  constexpr int kReach = 24;  // about the face of a small portrait
  const auto first = std::find(pixels.begin(), pixels.end(), colour);
  if (first == pixels.end()) return false;
  const int fx = int((first - pixels.begin()) % a.w), fy = int((first - pixels.begin()) / a.w);
  long sumX = 0, sumY = 0, n = 0;
  for (int py = fy; py < std::min(a.h, fy + kReach); ++py) {
    for (int px = std::max(0, fx - kReach); px < std::min(a.w, fx + kReach); ++px) {
      if (pixels[size_t(py) * size_t(a.w) + size_t(px)] != colour) continue;
      sumX += px, sumY += py, ++n;
    }
  }
  x = a.x + int(sumX / n), y = a.y + int(sumY / n);
  return true;
}

bool Fiery(uint32_t p) {
  const uint32_t r = p >> 16 & 0xFF, g = p >> 8 & 0xFF, b = p & 0xFF;
  return r == 255 && g >= 90 && g <= 250 && b < 200;  // no sprite, star or beam has these
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) return 2;
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const Area whole{0, 0, screen->width_in_pixels, screen->height_in_pixels};
  const std::string verb = argv[1];
  auto number = [&](int i) { return std::atoi(argv[i]); };

  if (verb == "aim" && argc == 7) {
    const uint32_t colour = uint32_t(std::strtoul(argv[2], nullptr, 16));
    const Area a{number(3), number(4), number(5), number(6)};
    int x = 0, y = 0;
    if (!AimAt(Capture(c, screen->root, a), a, colour, x, y)) return 1;
    std::printf("%d %d\n", x, y);
    return 0;
  }
  if (verb == "count" || (verb == "count-in" && argc >= 8)) {
    const bool inArea = verb == "count-in";
    const Area area = inArea ? Area{number(3), number(4), number(5), number(6)} : whole;
    std::vector<uint32_t> colours;
    for (int i = inArea ? 7 : 3; i < argc; ++i)
      colours.push_back(uint32_t(std::strtoul(argv[i], nullptr, 16)));
    std::printf("%ld\n", MostOver(number(2), [&] {
                  const auto pixels = Capture(c, screen->root, area);
                  return long(std::count_if(pixels.begin(), pixels.end(), [&](uint32_t p) {
                    return std::find(colours.begin(), colours.end(), p) != colours.end();
                  }));
                }));
    return 0;
  }
  if (verb == "fire" && argc == 7) {
    Area a{number(3), number(4), number(5), number(6)};
    a.x = std::max(0, a.x), a.y = std::max(0, a.y);
    a.w = std::min(a.w, whole.w - a.x), a.h = std::min(a.h, whole.h - a.y);
    std::printf("%ld\n", MostOver(number(2), [&] {
                  const auto pixels = Capture(c, screen->root, a);
                  return long(std::count_if(pixels.begin(), pixels.end(), Fiery));
                }));
    return 0;
  }
  if (verb == "squares" && argc == 7) {
    const int side = number(2);
    const Area a{number(3), number(4), number(5), number(6)};
    const auto pixels = Capture(c, screen->root, a);
    long lit = 0, odd = 0;
    for (int y = 0; y < a.h; ++y) {
      for (int x = 0; x < a.w; ++x) {
        const uint32_t p = pixels[size_t(y) * size_t(a.w) + size_t(x)];
        if (p == 0) continue;
        ++lit;
        const int cornerX = (a.x + x) / side * side - a.x, cornerY = (a.y + y) / side * side - a.y;
        if (cornerX < 0 || cornerY < 0) continue;
        if (pixels[size_t(cornerY) * size_t(a.w) + size_t(cornerX)] != p) ++odd;
      }
    }
    std::printf("%ld %ld\n", lit, odd);
    return 0;
  }
  if (verb == "hold-keyboard" && argc == 3) {
    auto* reply =
        xcb_grab_keyboard_reply(c,
                                xcb_grab_keyboard(c, 1, screen->root, XCB_CURRENT_TIME,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
                                nullptr);
    const bool held = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    std::free(reply);
    if (!held) return 1;
    std::printf("held\n");
    std::fflush(stdout);
    usleep(useconds_t(number(2)) * 1000);
    xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
    xcb_flush(c);
    return 0;
  }
  if (verb == "centre" && argc == 6) {
    const Area a{number(2), number(3), number(4), number(5)};
    const auto pixels = Capture(c, screen->root, a);
    double sumX = 0, sumY = 0, lit = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
      if (pixels[i] == 0) continue;
      sumX += double(i % size_t(a.w));
      sumY += double(i / size_t(a.w));
      ++lit;
    }
    if (lit == 0) return 1;
    std::printf("%d %d\n", a.x + int(sumX / lit), a.y + int(sumY / lit));
    return 0;
  }
  return 2;
}
