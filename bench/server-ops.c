// What one kind of drawing request costs the X server: a frame every 30 ms (as the display's)
// of N requests of one kind, each on a 32 x 32 block at a random place of a 1920 x 1080
// pixmap, then a round trip. The X server's CPU is read from outside (measure-server-ops.sh).
//
// usage: server-ops KIND N
//   fill      N fills of a 2 x 2 block, each in a colour of its own (a change of the context)
//   copy      N copies of a pixmap, function GXcopy
//   or        N copies of a pixmap, function GXor (a sprite drawn as the display draws it)
//   mask      N composites of solid black through an 8-bit mask (an erase through a mask)
//   picture   N composites of a picture through an 8-bit mask (a sprite copied where opaque)
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <xcb/render.h>
#include <xcb/xcb.h>

enum { kBlock = 32 };

static xcb_render_pictformat_t FindFormat(xcb_connection_t* c, int depth, int alpha) {
  xcb_render_query_pict_formats_reply_t* formats =
      xcb_render_query_pict_formats_reply(c, xcb_render_query_pict_formats(c), NULL);
  xcb_render_pictformat_t found = 0;
  xcb_render_pictforminfo_iterator_t it = xcb_render_query_pict_formats_formats_iterator(formats);
  for (; it.rem && !found; xcb_render_pictforminfo_next(&it)) {
    const xcb_render_pictforminfo_t* f = it.data;
    if (f->type == XCB_RENDER_PICT_TYPE_DIRECT && f->depth == depth &&
        (f->direct.alpha_mask != 0) == alpha && (depth == 8 || f->direct.red_shift == 16))
      found = f->id;
  }
  free(formats);
  return found;
}

int main(int argc, char** argv) {
  if (argc != 3) {
    fprintf(stderr, "usage: server-ops fill|copy|or|mask|picture N\n");
    return 2;
  }
  const char* kind = argv[1];
  const int n = atoi(argv[2]);
  xcb_connection_t* c = xcb_connect(NULL, NULL);
  if (xcb_connection_has_error(c)) return 1;
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;

  xcb_pixmap_t scene = xcb_generate_id(c), sprite = xcb_generate_id(c), mask = xcb_generate_id(c);
  xcb_create_pixmap(c, 24, scene, screen->root, 1920, 1080);
  xcb_create_pixmap(c, 24, sprite, screen->root, kBlock, kBlock);
  xcb_create_pixmap(c, 8, mask, screen->root, kBlock, kBlock);
  const uint32_t function = strcmp(kind, "or") == 0 ? XCB_GX_OR : XCB_GX_COPY;
  const uint32_t values[] = {function, 0};  // no exposure events for the copies
  xcb_gcontext_t gc = xcb_generate_id(c);
  xcb_create_gc(c, gc, scene, XCB_GC_FUNCTION | XCB_GC_GRAPHICS_EXPOSURES, values);

  xcb_render_picture_t scenePicture = xcb_generate_id(c), spritePicture = xcb_generate_id(c);
  xcb_render_picture_t maskPicture = xcb_generate_id(c), black = xcb_generate_id(c);
  xcb_render_create_picture(c, scenePicture, scene, FindFormat(c, 24, 0), 0, NULL);
  xcb_render_create_picture(c, spritePicture, sprite, FindFormat(c, 24, 0), 0, NULL);
  xcb_render_create_picture(c, maskPicture, mask, FindFormat(c, 8, 1), 0, NULL);
  const xcb_render_color_t opaqueBlack = {0, 0, 0, 0xFFFF};
  const xcb_rectangle_t whole = {0, 0, kBlock, kBlock};
  xcb_render_fill_rectangles(c, XCB_RENDER_PICT_OP_SRC, maskPicture, opaqueBlack, 1, &whole);
  xcb_render_create_solid_fill(c, black, opaqueBlack);

  srand(1);
  for (;;) {
    for (int i = 0; i < n; ++i) {
      const int16_t x = (int16_t)(rand() % (1920 - kBlock)), y = (int16_t)(rand() % (1080 - kBlock));
      if (strcmp(kind, "fill") == 0) {
        const uint32_t colour = (uint32_t)rand() & 0xFFFFFF;
        const xcb_rectangle_t star = {x, y, 2, 2};
        xcb_change_gc(c, gc, XCB_GC_FOREGROUND, &colour);
        xcb_poly_fill_rectangle(c, scene, gc, 1, &star);
      } else if (strcmp(kind, "copy") == 0 || strcmp(kind, "or") == 0) {
        xcb_copy_area(c, sprite, scene, gc, 0, 0, x, y, kBlock, kBlock);
      } else {
        const xcb_render_picture_t source = strcmp(kind, "mask") == 0 ? black : spritePicture;
        xcb_render_composite(c, XCB_RENDER_PICT_OP_OVER, source, maskPicture, scenePicture, 0, 0,
                             0, 0, x, y, kBlock, kBlock);
      }
    }
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), NULL));
    usleep(30000);
  }
}
