// The sixteen frames of the fireball that plays when a target is hit.
#pragma once

#include "media/MediaTable.h"
#include "tools/mediagen/Canvas.h"

namespace mediagen {

using media::kBoomFrames;  // the sizes the display expects
using media::kBoomHeight;
using media::kBoomWidth;

// Frame `n` (0..15): grows from a spark, is largest and brightest in frames 4 and 5, and
// burns down to embers by frame 15. Black background.
Image DrawExplosion(int n);

}  // namespace mediagen
