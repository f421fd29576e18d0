// A stand-in for a screensaver frontend's preview area: an X11 window of a given size that
// prints its id and stays until its standard input closes (or it is killed). A line
// "WIDTH HEIGHT" on standard input resizes it.
//   skorvane-test-host WIDTH HEIGHT
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  const int width = argc > 1 ? std::atoi(argv[1]) : 200;
  const int height = argc > 2 ? std::atoi(argv[2]) : 150;
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c)) return 1;
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_window_t window = xcb_generate_id(c);
  const uint32_t values[] = {screen->white_pixel};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 40, 40, uint16_t(width),
                    uint16_t(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                    XCB_CW_BACK_PIXEL, values);
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 10,
                      "e2e-host  ");
  xcb_map_window(c, window);
  xcb_flush(c);
  std::printf("%u\n", window);
  std::fflush(stdout);
  char line[64];
  while (std::fgets(line, sizeof line, stdin)) {
    unsigned w = 0, h = 0;
    if (std::sscanf(line, "%u %u", &w, &h) != 2) continue;
    const uint32_t size[] = {w, h};
    xcb_configure_window(c, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    xcb_flush(c);
  }
  xcb_disconnect(c);  // the server destroys the window with us
  return 0;
}
