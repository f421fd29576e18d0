// Vexlor, the target: a head-and-shoulders portrait of a cartoon villain of our own invention.
#pragma once

#include "tools/mediagen/Canvas.h"

namespace mediagen {

constexpr int kPortraitWidth = 145;  // design units: the large portrait, one unit a pixel
constexpr int kPortraitHeight = 225;
constexpr Rgb kKeyBlue{0, 0, 255};

// The portrait at `scale` (1 = 145 x 225 pixels) on `background`.
Image DrawPortrait(double scale, Rgb background);

// Only the head, fitted into a `size` x `size` square (for the icon); background as given.
Image DrawHead(int size, Rgb background);

}  // namespace mediagen
