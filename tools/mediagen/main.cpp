// Makes every picture and sound of the program from code, deterministically, into a folder:
//   skorvane-mediagen OUTPUT_FOLDER
// The outputs are committed under media/; a test runs this again and compares.
#include <cstdio>
#include <string>

#include "tools/mediagen/Encoders.h"
#include "tools/mediagen/Explosion.h"
#include "tools/mediagen/Pictures.h"
#include "tools/mediagen/Portrait.h"
#include "tools/mediagen/Sounds.h"

using namespace mediagen;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string out = std::string(argv[1]) + "/";
  const double scales[] = {1.0, 0.8, 0.6, 0.4};
  for (int i = 0; i < 4; ++i) {
    WriteFile(out + "portrait" + std::to_string(101 + i) + ".dib",
              Dib8(ToIndexed(DrawPortrait(scales[i], kKeyBlue))));
  }
  for (int n = 0; n < kBoomFrames; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "boom%02d.bmp", n);
    WriteFile(out + name, BmpFile24(DrawExplosion(n)));
  }
  WriteFile(out + "LASER.WAV", LaserWav());
  WriteFile(out + "LASEREXPLODE.WAV", LaserExplodeWav());
  WriteFile(out + "LEXPLODE.WAV", LExplodeWav());
  WriteFile(out + "skorvane.ico", IconFileBytes());
  WriteFile(out + "setup.gif", SetupPictureGif());
  for (int size : {16, 32, 48, 256}) {  // the desktop's icons, installed beside the program
    WriteFile(out + "icon" + std::to_string(size) + ".png",
              PngWithKey(DrawHead(size, kKeyBlue), kKeyBlue));
  }
  WriteFile(out + "preview.gif", PreviewPictureGif());
  return 0;
}
