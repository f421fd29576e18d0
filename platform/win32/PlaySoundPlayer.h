// Sound through Windows' own player: PlaySoundA with the wave file image in memory, played
// asynchronously, the system's default sound never put in its place. A new sound cuts the one
// playing, as the player does by itself.
#pragma once

#include "platform/core/SoundPlayer.h"

class PlaySoundPlayer : public SoundPlayer {
 public:
  ~PlaySoundPlayer() override;
  void Play(std::span<const uint8_t> wave) override;
};
