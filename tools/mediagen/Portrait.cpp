#include "tools/mediagen/Portrait.h"

namespace mediagen {

namespace {

constexpr double kMid = kPortraitWidth / 2.0;

const Rgb kSkin{126, 190, 98}, kSkinShade{88, 148, 70};
const Rgb kHair{26, 20, 40}, kHairShine{92, 80, 126};
const Rgb kCape{170, 22, 40}, kCapeShade{118, 12, 30};
const Rgb kCollar{96, 36, 132}, kGold{232, 188, 40};
const Rgb kEye{252, 232, 70}, kPupil{10, 10, 10};
const Rgb kMouth{72, 0, 12}, kTeeth{246, 244, 232}, kGem{220, 20, 60};

// The right-hand twin of a shape drawn on the left.
Vec Mirror(Vec p) {
  return {kPortraitWidth - p.x, p.y};
}
std::vector<Vec> Mirror(std::vector<Vec> points) {
  for (Vec& p : points) p = Mirror(p);
  return points;
}
Sdf Pair(const std::vector<Vec>& left) {
  return Union(Polygon(left), Polygon(Mirror(left)));
}

struct Pen {
  Image& image;
  double scale;
  Vec origin;
  double Outline() const { return std::max(1.0, 2.2 * scale); }
  void Fill(const Sdf& shape, Rgb colour) const {
    Paint(image, scale, shape, colour, 0, {}, origin);
  }
  void Inked(const Sdf& shape, Rgb colour) const {
    Paint(image, scale, shape, colour, Outline(), kPupil, origin);
  }
};

Sdf Head() {
  return Union(Ellipse({kMid, 78}, 38, 48), Polygon({{40, 92}, {105, 92}, {kMid, 138}}));
}

void DrawShouldersAndCollar(const Pen& pen) {
  pen.Inked(Pair({{40, 174}, {13, 90}, {30, 99}, {58, 150}}), kCollar);
  pen.Fill(Pair({{42, 164}, {21, 104}, {31, 110}, {55, 150}}), kGold);
  // A bust: the cape tapers to the bottom edge, so the key colour fills all four corners.
  pen.Inked(Polygon({{14, 226},
                     {5, 196},
                     {14, 174},
                     {38, 157},
                     {60, 152},
                     {85, 152},
                     {107, 157},
                     {131, 174},
                     {140, 196},
                     {131, 226}}),
            kCape);
  pen.Fill(Pair({{16, 226}, {9, 200}, {22, 186}, {38, 226}}), kCapeShade);
  pen.Inked(Polygon({{59, 118}, {86, 118}, {84, 160}, {61, 160}}), kSkinShade);
  pen.Inked(Polygon({{55, 156}, {90, 156}, {kMid, 196}}), kHair);
  pen.Inked(Circle({kMid, 172}, 7), kGold);
  pen.Fill(Circle({kMid, 172}, 3.2), kGem);
}

void DrawFace(const Pen& pen) {
  pen.Inked(Pair({{37, 64}, {10, 36}, {26, 74}, {37, 98}}), kSkin);
  pen.Inked(Head(), kSkin);
  pen.Fill(Intersect(Head(), Union(Ellipse({44, 102}, 9, 20), Ellipse({101, 102}, 9, 20))),
           kSkinShade);
  pen.Inked(Polygon({{33, 80},
                     {31, 48},
                     {42, 30},
                     {58, 21},
                     {kMid, 17},
                     {87, 21},
                     {103, 30},
                     {114, 48},
                     {112, 80},
                     {106, 58},
                     {96, 48},
                     {82, 44},
                     {kMid, 63},
                     {63, 44},
                     {49, 48},
                     {39, 58}}),
            kHair);
  pen.Fill(Capsule({48, 34}, {62, 26}, 2.2), kHairShine);
}

void DrawFeatures(const Pen& pen) {
  pen.Fill(Pair({{43, 60}, {69, 70}, {67, 76}, {43, 66}}), kHair);
  pen.Inked(Union(Ellipse({57, 82}, 10, 6), Ellipse({88, 82}, 10, 6)), kEye);
  pen.Fill(Union(Circle({60, 83}, 3.4), Circle({85, 83}, 3.4)), kPupil);
  pen.Fill(Ring({88, 82}, 12.5, 2.6), kGold);
  pen.Fill(Capsule({99, 89}, {112, 128}, 0.9), kGold);
  pen.Inked(Polygon({{kMid, 84}, {64, 105}, {70, 107}, {77, 104}}), kSkinShade);
  const Sdf moustache =
      Union(Capsule({kMid, 111}, {59, 109}, 2.6),
            Union(Capsule({59, 109}, {49, 101}, 2.0), Capsule({49, 101}, {48, 94}, 1.5)));
  pen.Fill(Union(moustache, [moustache](Vec p) { return moustache(Mirror(p)); }), kHair);
  pen.Inked(Polygon({{55, 114}, {90, 114}, {83, 126}, {62, 126}}), kMouth);
  pen.Fill(Polygon({{57, 115}, {88, 115}, {86, 119}, {59, 119}}), kTeeth);
  pen.Fill(Pair({{61, 118}, {66, 118}, {63.5, 123}}), kTeeth);
  pen.Fill(Polygon({{66, 129}, {79, 129}, {kMid, 148}}), kHair);
}

void DrawAll(const Pen& pen) {
  DrawShouldersAndCollar(pen);
  DrawFace(pen);
  DrawFeatures(pen);
}

}  // namespace

Image DrawPortrait(double scale, Rgb background) {
  Image image(int(std::lround(kPortraitWidth * scale)), int(std::lround(kPortraitHeight * scale)),
              background);
  DrawAll({image, scale, {0, 0}});
  FillEnclosed(image, background, kHair);
  return image;
}

Image DrawHead(int size, Rgb background) {
  // The head with its ears, hair and goatee spans about x 8..137 and y 15..150.
  Image image(size, size, background);
  const double scale = size / 136.0;
  DrawAll({image, scale, {kMid - 68, 14}});
  return image;
}

}  // namespace mediagen
