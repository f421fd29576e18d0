// Every picture and sound the program carries, by the identifier its code knows it by. The
// data is embedded in the executable, uncompressed, and handed out where it lies: the pages
// of a sound that is never played are never read in. A missing asset throws RuntimeError.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "media/VersionBlock.h"
#include "platform/core/Surface.h"

namespace media {

using Bytes = std::span<const uint8_t>;  // valid for the life of the program

constexpr int kFirstPortrait = 101;  // 101 large .. 104 tiny
constexpr int kBoomFrames = 16;
constexpr int kBoomWidth = 71, kBoomHeight = 100;  // each explosion frame

// The raw bytes of a bitmap resource (a bitmap without file header), and it as a picture.
Bytes BitmapResource(int id);
Surface LoadResPicture(int id);

// A named resource of a named type, as bytes: LoadResData("LASER.WAV", "SOUNDS").
Bytes LoadResData(const std::string& name, const std::string& type);

// Explosion frame n (0..15) as a complete bitmap file, and as a picture.
Bytes BoomFrameFile(int n);
Surface BoomFrame(int n);

// The icon file holding icons 30001 (32 x 32) and 30002 (16 x 16).
Bytes IconFile();

// The GIF pictures of the setup dialog and of the preview window.
Bytes SetupPicture();
Bytes PreviewPicture();

}  // namespace media
