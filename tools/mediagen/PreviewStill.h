// A still of the running display for the preview window, drawn by the display's own code.
#pragma once

#include <vector>

#include "tools/mediagen/Canvas.h"

namespace mediagen {

// Runs the display on a 640 x 512 surface with the default settings, the given medium
// portrait and explosion frames, until two red beams meet on an exploding image; returns that
// frame with the beams and a white crosshair pointer drawn over it.
Image RenderPreviewStill(const Image& mediumPortrait, const std::vector<Image>& explosion);

}  // namespace mediagen
