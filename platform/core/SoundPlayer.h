// Plays one in-memory wave file image at a time (the role of PlaySoundA with SND_ASYNC |
// SND_NODEFAULT | SND_MEMORY): returns at once, a new sound cuts the one playing, sounds never
// mix or queue, and a sound that cannot be played is silence, never an error.
#pragma once

#include <cstdint>
#include <span>

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual void Open() {}  // get the output ready, so the first sound is not late
  virtual void Play(std::span<const uint8_t> wave) = 0;
};
