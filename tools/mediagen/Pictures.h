// The icon and the two pictures of the window layouts.
#pragma once

#include "tools/mediagen/Encoders.h"

namespace mediagen {

constexpr Rgb kSetupGrey{198, 198, 198};

Bytes IconFileBytes();      // 32 x 32 and 16 x 16, 16 colours each
Bytes SetupPictureGif();    // 116 x 180: Vexlor under a red prohibition sign, grey transparent
Bytes PreviewPictureGif();  // 640 x 512: a still of the running display

}  // namespace mediagen
