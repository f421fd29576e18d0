#include "tools/mediagen/Explosion.h"

namespace mediagen {

namespace {

// Size of the fireball (pixels, across half its width) and its heat (0..1), frame by frame.
constexpr double kRadius[kBoomFrames] = {3,  9,  16, 24, 30, 31, 30, 28,
                                         26, 24, 21, 18, 14, 10, 6,  3};
constexpr double kHeat[kBoomFrames] = {0.45, 0.7,  0.85, 0.95, 1.0,  1.0,  0.88, 0.76,
                                       0.64, 0.54, 0.44, 0.35, 0.26, 0.18, 0.11, 0.05};
constexpr double kCentreX = 35.5, kCentreY = 52;
constexpr double kTall = 1.35;  // the fireball is taller than wide, like its frame

Rgb Mix(Rgb a, Rgb b, double t) {
  auto m = [t](uint8_t x, uint8_t y) { return uint8_t(std::lround(x + (y - x) * t)); };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

// Heat to colour: smoke, red, orange, yellow, white.
Rgb Glow(double heat) {
  struct Stop {
    double at;
    Rgb colour;
  };
  static const Stop stops[] = {
      {0.08, {0, 0, 0}},      {0.16, {58, 44, 40}},    {0.28, {150, 32, 12}}, {0.45, {236, 96, 18}},
      {0.65, {255, 186, 40}}, {0.85, {255, 240, 150}}, {1.0, {255, 255, 235}}};
  if (heat < stops[0].at) return {0, 0, 0};
  for (size_t i = 1; i < std::size(stops); ++i) {
    if (heat <= stops[i].at) {
      const double t = (heat - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
      return Mix(stops[i - 1].colour, stops[i].colour, t);
    }
  }
  return stops[std::size(stops) - 1].colour;
}

void DrawDebris(Image& image, int n) {
  Dice dice(77);
  for (int spark = 0; spark < 14; ++spark) {
    const double angle = dice.Next() * 6.2831853, speed = 1.6 + dice.Next() * 1.8;
    const double born = 1 + dice.Next() * 2;
    if (n < born || n > 12) continue;
    const double travel = (n - born + 1) * speed + kRadius[n] * 0.6;
    const int x = int(kCentreX + std::cos(angle) * travel);
    const int y = int(kCentreY + std::sin(angle) * travel * kTall);
    const Rgb colour = Glow(0.5 + 0.4 * kHeat[n]);
    for (int dy = 0; dy < 2; ++dy) {
      for (int dx = 0; dx < 2; ++dx) {
        const int px = x + dx, py = y + dy;
        const bool nearCorner = (px < 6 || px > kBoomWidth - 7) && (py < 6 || py > kBoomHeight - 7);
        if (px >= 0 && py >= 0 && px < kBoomWidth && py < kBoomHeight && !nearCorner) {
          image.at(px, py) = colour;
        }
      }
    }
  }
}

}  // namespace

Image DrawExplosion(int n) {
  Image image(kBoomWidth, kBoomHeight, {0, 0, 0});
  const double radius = kRadius[n], heat = kHeat[n];
  for (int y = 0; y < kBoomHeight; ++y) {
    for (int x = 0; x < kBoomWidth; ++x) {
      const double dx = (x + 0.5 - kCentreX) / radius;
      const double dy = (y + 0.5 - kCentreY) / (radius * kTall);
      const double turbulence = Fractal(x * 0.13 + n * 0.7, y * 0.13 - n * 0.9, 1234, 4);
      const double reach = 0.7 + 0.6 * turbulence;  // ragged, billowing edge
      const double inside = 1 - std::hypot(dx, dy) / reach;
      if (inside <= 0) continue;
      // Hot in the core, cooling outward; the turbulence also streaks the inside.
      const double t = std::pow(std::min(1.0, inside * 1.6), 0.7) * (0.75 + 0.5 * turbulence);
      image.at(x, y) = Glow(std::min(1.0, t * heat));
    }
  }
  DrawDebris(image, n);
  return image;
}

}  // namespace mediagen
