// What the media generator draws on: an RGB image, shapes given by signed distance functions
// (negative inside), and a deterministic noise source. Pixels are sampled at their centres,
// without smoothing, so the flat cartoon colours stay exact palette colours.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

namespace mediagen {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct Image {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;
  Image() = default;
  Image(int w, int h, Rgb fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
  Rgb& at(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
  const Rgb& at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

struct Vec {
  double x, y;
};

// A shape: distance from a point to its outline, negative inside, in design units.
using Sdf = std::function<double(Vec)>;

Sdf Ellipse(Vec centre, double rx, double ry);
Sdf Circle(Vec centre, double r);
Sdf Capsule(Vec a, Vec b, double r);   // a thick line with round ends
Sdf Polygon(std::vector<Vec> points);  // any simple polygon
Sdf Union(Sdf a, Sdf b);
Sdf Intersect(Sdf a, Sdf b);
Sdf Subtract(Sdf a, Sdf b);  // a without b
Sdf Ring(Vec centre, double r, double width);

// Paints `shape` onto `image`: design units are scaled by `scale` to pixels. Pixels within
// `outline` pixels outside the shape get `ink`, those inside get `fill`.
// `origin` is the design point that lands on the image's top-left corner.
void Paint(Image& image, double scale, const Sdf& shape, Rgb fill, double outline = 0,
           Rgb ink = {0, 0, 0}, Vec origin = {0, 0});

// Repaints with `with` every pixel of colour `background` that the border cannot reach
// through that colour: gaps enclosed by the figure are part of the figure.
void FillEnclosed(Image& image, Rgb background, Rgb with);

// Deterministic value noise in [0, 1), smooth over distances of about 1.
double Noise(double x, double y, uint32_t seed);
double Fractal(double x, double y, uint32_t seed, int octaves);

// A small deterministic generator for the generator's own random choices.
class Dice {
 public:
  explicit Dice(uint64_t seed) : state_(seed | 1) {}
  double Next();  // [0, 1)

 private:
  uint64_t state_;
};

}  // namespace mediagen
