// A beam drawn into pixels of ours, for the ways to the screen where nobody draws lines for
// us (a compositor's buffers): a line of the beam's width with round ends, every pixel whose
// centre lies within half the width of the segment.
#pragma once

#include <cstdint>

#include "platform/core/LinePrimitive.h"

// Draws `line` (device pixels) into `pixels` (width x height, 0xFFRRGGBB) if it is visible.
// What it touches lies inside the boxes AddBeamBoxes gives for the same line.
void PaintBeam(uint32_t* pixels, int width, int height, const LineGeometry& line);
