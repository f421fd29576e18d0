#include "tools/mediagen/Pictures.h"

#include <algorithm>

#include "tools/mediagen/Explosion.h"
#include "tools/mediagen/Portrait.h"

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

void Blit(Image& target, const Image& source, int left, int top, int width, int height,
          const Rgb* key) {
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int tx = left + x, ty = top + y;
      if (tx < 0 || ty < 0 || tx >= target.width || ty >= target.height) continue;
      const Rgb c = source.at(x * source.width / width, y * source.height / height);
      if (key && c == *key) continue;
      target.at(tx, ty) = c;
    }
  }
}

void ThickLine(Image& image, Vec a, Vec b, Rgb colour) {
  Paint(image, 1, Capsule(a, b, 2.5), colour);
}

}  // namespace

Bytes IconFileBytes() { return IconFile({Icon(32), Icon(16)}); }

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
  constexpr int kWidth = 640, kHeight = 512;
  const Vec centre{kWidth / 2.0, kHeight / 2.0};
  Image image(kWidth, kHeight, {0, 0, 0});
  Dice dice(5150);

  static const Rgb kStarColours[] = {{254, 0, 0},   {0, 254, 0},   {0, 0, 254},    {254, 254, 0},
                                     {254, 0, 254}, {0, 254, 254}, {254, 254, 254}};
  for (int i = 0; i < 160; ++i) {
    const double angle = dice.Next() * 6.2831853, r = 20 + dice.Next() * 360;
    const Rgb full = kStarColours[int(dice.Next() * 7)];
    const double b = std::min(1.0, r / centre.x * 2);
    const Rgb c{uint8_t(full.r * b), uint8_t(full.g * b), uint8_t(full.b * b)};
    const int x = int(centre.x + std::cos(angle) * r), y = int(centre.y + std::sin(angle) * r);
    Blit(image, Image(2, 2, c), x, y, 2, 2, nullptr);
  }

  const Image portrait = DrawPortrait(0.8, kKeyBlue);
  struct Placed { double angle, radius; };
  const Placed targets[] = {{20, 60}, {110, 120}, {200, 90}, {250, 170}, {300, 230}, {160, 240}, {70, 200}};
  Vec aim{};
  for (const Placed& t : targets) {
    const double size = std::min(1.0, t.radius / centre.x * 1.1) * 0.9;
    const int w = int(116 * size), h = int(180 * size);
    const double a = t.angle * 0.0174532925;
    const int x = int(centre.x + std::cos(a) * t.radius), y = int(centre.y + std::sin(a) * t.radius);
    Blit(image, portrait, x - w / 2, y - h / 2, w, h, &kKeyBlue);
    aim = {double(x), double(y)};
  }
  Blit(image, DrawExplosion(5), 130, 110, 90, 126, nullptr);
  Blit(image, DrawExplosion(8), 430, 300, 70, 98, nullptr);

  const Rgb beam{255, 0, 0}, white{255, 255, 255};
  ThickLine(image, {0, kHeight}, {aim.x - 14, aim.y}, beam);
  ThickLine(image, {kWidth, kHeight}, {aim.x + 14, aim.y}, beam);
  Paint(image, 1, Union(Capsule({aim.x - 12, aim.y}, {aim.x + 12, aim.y}, 0.8),
                        Capsule({aim.x, aim.y - 12}, {aim.x, aim.y + 12}, 0.8)), white);
  return Gif(ToIndexed(image), -1);
}

}  // namespace mediagen
