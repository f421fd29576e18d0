#include "tools/mediagen/PreviewStill.h"

#include "display/StarfieldProbe.h"
#include "display/frmStarfield3.h"
#include "platform/core/ManualClock.h"
#include "platform/core/OffscreenDisplayWindow.h"

namespace mediagen {

namespace {

constexpr int kWidth = 640, kHeight = 512;
constexpr Colour kRedBeam = RGB(255, 0, 0);

class FixedRandom : public XorShiftRandom {
 public:
  void SeedFromTime() override { Seed(20240611); }
};

class Silence : public SoundPlayer {
 public:
  void Play(std::span<const uint8_t>) override {}
};

Surface ToSurface(const Image& image) {
  Surface s(image.width, image.height, kBlack);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.at(x, y);
      s.SetPixelV(x, y, RGB(c.r, c.g, c.b));
    }
  return s;
}

Image ToImage(const Surface& s) {
  Image image(s.Width(), s.Height(), {});
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const Colour c = s.GetPixel(x, y);
      image.at(x, y) = {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)};
    }
  return image;
}

// This run's pictures, not the embedded ones: the still is made from what the generator draws.
class GeneratedMedia : public MediaSource {
 public:
  GeneratedMedia(const Image& portrait, const std::vector<Image>& explosion)
      : portrait_(portrait), explosion_(explosion) {}
  Surface LoadResPicture(int) override { return ToSurface(portrait_); }
  std::span<const uint8_t> LoadResData(const std::string&, const std::string&) override {
    return {};
  }
  Surface BoomFrame(int n) override { return ToSurface(explosion_.at(size_t(n))); }

 private:
  const Image& portrait_;
  const std::vector<Image>& explosion_;
};

int Exploding(StarfieldProbe& probe, int pictures) {
  int n = 0;
  for (int i = 1; i <= pictures; ++i) n += probe.Slot(i).ExplodeStep != 0;
  return n;
}

}  // namespace

Image RenderPreviewStill(const Image& mediumPortrait, const std::vector<Image>& explosion) {
  modMain::SettingsRecord settings;
  modMain::SetDefaultSettings(settings);
  settings.TargetPractice = false;
  ManualClock clock(1000);
  FixedRandom random;
  Silence sound;
  OffscreenDisplayWindow window(kWidth, kHeight);
  GeneratedMedia media(mediumPortrait, explosion);
  frmStarfield3 form(settings, clock, random, sound, media);
  StarfieldProbe probe{form};
  form.Attach(&window);
  form.Form_Activate();

  // Let the scene fill the screen, then stop when a red shot has just hit, with more fire about.
  for (int pass = 0; pass < 20000; ++pass) {
    clock.Advance(10);
    form.Form_Paint();
    const LineGeometry& beam = window.line1.Geometry();
    if (pass > 600 && beam.Visible && beam.BorderColor == kRedBeam &&
        probe.View().LaserFrames == 1 && Exploding(probe, settings.PicCount) >= 2) {
      break;
    }
  }

  Image still = ToImage(window.surface);
  const Rgb red{255, 0, 0}, white{255, 255, 255};
  for (const LinePrimitive* line : {&window.line1, &window.line2}) {
    const LineGeometry& g = line->Geometry();
    Paint(still, 1, Capsule({g.X1, g.Y1}, {g.X2, g.Y2}, LineGeometry::kWidth / 2.0), red);
  }
  const Vec aim{(window.line1.Geometry().X2 + window.line2.Geometry().X2) / 2.0,
                window.line1.Geometry().Y2};
  Paint(still, 1,
        Union(Capsule({aim.x - 10, aim.y}, {aim.x + 10, aim.y}, 0.6),
              Capsule({aim.x, aim.y - 10}, {aim.x, aim.y + 10}, 0.6)),
        white);
  return still;
}

}  // namespace mediagen
