// The three sound effects, synthesised: a laser zap and two explosions that differ only in
// their sample format.
#pragma once

#include "tools/mediagen/Encoders.h"

namespace mediagen {

Bytes LaserWav();         // "LASER.WAV": 11025 Hz, 8-bit, 3869 samples
Bytes LaserExplodeWav();  // "LASEREXPLODE.WAV": 11025 Hz, 8-bit, 38594 samples
Bytes LExplodeWav();      // "LEXPLODE.WAV": 44100 Hz, 16-bit, 154374 samples

}  // namespace mediagen
