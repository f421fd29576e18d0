#include "tools/mediagen/Pictures.h"

#include <algorithm>

#include "tools/mediagen/Explosion.h"
#include "tools/mediagen/Portrait.h"
#include "tools/mediagen/PreviewStill.h"

namespace mediagen {

namespace {

// The nearest of the sixteen colours; saturated colours are matched among the other
// saturated ones only, or the green face would turn grey.
int Nearest(const std::vector<Rgb>& palette, Rgb c) {
  auto saturation = [](Rgb x) { return std::max({x.r, x.g, x.b}) - std::min({x.r, x.g, x.b}); };
  const bool colourful = saturation(c) > 60;
  int best = 0;
  long bestDistance = 1L << 40;
  for (size_t i = 0; i < palette.size(); ++i) {
    if (colourful && saturation(palette[i]) == 0) continue;
    const long dr = c.r - palette[i].r, dg = c.g - palette[i].g, db = c.b - palette[i].b;
    const long d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
    if (d < bestDistance) bestDistance = d, best = int(i);
  }
  return best;
}

IconImage Icon(int size) {
  const Rgb transparent{1, 2, 3};  // a colour the head never uses
  const Image head = DrawHead(size, transparent);
  IconImage icon{size, {}, {}};
  for (const Rgb& c : head.pixels) {
    icon.opaque.push_back(!(c == transparent));
    icon.index.push_back(uint8_t(c == transparent ? 0 : Nearest(SixteenColours(), c)));
  }
  return icon;
}

}  // namespace

Bytes IconFileBytes() {
  return IconFile({Icon(32), Icon(16)});
}

Bytes SetupPictureGif() {
  Image image = DrawPortrait(0.8, kSetupGrey);
  const Rgb red{220, 0, 0};
  const Vec centre{58, 90};
  Paint(image, 1, Ring(centre, 50, 10), red);
  Paint(image, 1, Intersect(Circle(centre, 50), Capsule({22, 54}, {94, 126}, 5)), red);
  const Indexed indexed = ToIndexed(image);
  int grey = 0;
  while (!(indexed.palette[size_t(grey)] == kSetupGrey)) ++grey;
  return Gif(indexed, grey);
}

Bytes PreviewPictureGif() {
  std::vector<Image> explosion;
  for (int n = 0; n < kBoomFrames; ++n) explosion.push_back(DrawExplosion(n));
  return Gif(ToIndexed(RenderPreviewStill(DrawPortrait(0.8, kKeyBlue), explosion)), -1);
}

}  // namespace mediagen
