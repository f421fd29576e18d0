#include "tools/mediagen/Canvas.h"

namespace mediagen {

namespace {

double Length(Vec v) {
  return std::hypot(v.x, v.y);
}

double SegmentDistance(Vec p, Vec a, Vec b) {
  const Vec ab{b.x - a.x, b.y - a.y}, ap{p.x - a.x, p.y - a.y};
  const double t = std::clamp((ap.x * ab.x + ap.y * ab.y) / (ab.x * ab.x + ab.y * ab.y), 0.0, 1.0);
  return Length({ap.x - ab.x * t, ap.y - ab.y * t});
}

uint32_t Hash(int x, int y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  return h ^ (h >> 16);
}

double Smooth(double t) {
  return t * t * (3 - 2 * t);
}

}  // namespace

Sdf Ellipse(Vec c, double rx, double ry) {
  // Scaled-circle distance: exact enough for outlines of a few pixels.
  return [=](Vec p) {
    const double dx = (p.x - c.x) / rx, dy = (p.y - c.y) / ry;
    return (std::hypot(dx, dy) - 1) * std::min(rx, ry);
  };
}

Sdf Circle(Vec c, double r) {
  return Ellipse(c, r, r);
}

Sdf Capsule(Vec a, Vec b, double r) {
  return [=](Vec p) { return SegmentDistance(p, a, b) - r; };
}

Sdf Polygon(std::vector<Vec> pts) {
  return [pts](Vec p) {
    double best = 1e9;
    bool inside = false;
    for (size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
      best = std::min(best, SegmentDistance(p, pts[j], pts[i]));
      if ((pts[i].y > p.y) != (pts[j].y > p.y) &&
          p.x < (pts[j].x - pts[i].x) * (p.y - pts[i].y) / (pts[j].y - pts[i].y) + pts[i].x) {
        inside = !inside;
      }
    }
    return inside ? -best : best;
  };
}

Sdf Union(Sdf a, Sdf b) {
  return [=](Vec p) { return std::min(a(p), b(p)); };
}
Sdf Intersect(Sdf a, Sdf b) {
  return [=](Vec p) { return std::max(a(p), b(p)); };
}
Sdf Subtract(Sdf a, Sdf b) {
  return [=](Vec p) { return std::max(a(p), -b(p)); };
}
Sdf Ring(Vec c, double r, double width) {
  return [=](Vec p) { return std::abs(Length({p.x - c.x, p.y - c.y}) - r) - width / 2; };
}

void Paint(Image& image, double scale, const Sdf& shape, Rgb fill, double outline, Rgb ink,
           Vec origin) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const double d = shape({origin.x + (x + 0.5) / scale, origin.y + (y + 0.5) / scale}) * scale;
      if (d < 0) {
        image.at(x, y) = fill;
      } else if (d < outline) {
        image.at(x, y) = ink;
      }
    }
  }
}

void FillEnclosed(Image& image, Rgb background, Rgb with) {
  std::vector<bool> outside(image.pixels.size(), false);
  std::vector<std::pair<int, int>> todo;
  auto visit = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    const size_t i = size_t(y) * size_t(image.width) + size_t(x);
    if (outside[i] || !(image.pixels[i] == background)) return;
    outside[i] = true;
    todo.emplace_back(x, y);
  };
  for (int x = 0; x < image.width; ++x) visit(x, 0), visit(x, image.height - 1);
  for (int y = 0; y < image.height; ++y) visit(0, y), visit(image.width - 1, y);
  while (!todo.empty()) {
    const auto [x, y] = todo.back();
    todo.pop_back();
    visit(x + 1, y), visit(x - 1, y), visit(x, y + 1), visit(x, y - 1);
  }
  for (size_t i = 0; i < image.pixels.size(); ++i) {
    if (image.pixels[i] == background && !outside[i]) image.pixels[i] = with;
  }
}

double Noise(double x, double y, uint32_t seed) {
  const int x0 = int(std::floor(x)), y0 = int(std::floor(y));
  const double fx = Smooth(x - x0), fy = Smooth(y - y0);
  auto v = [&](int i, int j) { return (Hash(x0 + i, y0 + j, seed) & 0xFFFFFF) / 16777216.0; };
  const double top = v(0, 0) + (v(1, 0) - v(0, 0)) * fx;
  const double bottom = v(0, 1) + (v(1, 1) - v(0, 1)) * fx;
  return top + (bottom - top) * fy;
}

double Fractal(double x, double y, uint32_t seed, int octaves) {
  double sum = 0, weight = 0, amplitude = 1;
  for (int i = 0; i < octaves; ++i) {
    sum += Noise(x, y, seed + uint32_t(i)) * amplitude;
    weight += amplitude;
    x *= 2, y *= 2, amplitude *= 0.5;
  }
  return sum / weight;
}

double Dice::Next() {
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return double((state_ * 0x2545F4914F6CDD1Dull) >> 11) / 9007199254740992.0;
}

}  // namespace mediagen
