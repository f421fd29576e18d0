// The sound output, through SDL's audio subsystem alone (the windows stay Qt's). One device,
// opened at Open(); no device, no sound server, or a device that fails means silence.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <vector>

#include "platform/SoundPlayer.h"

class SdlSoundPlayer : public SoundPlayer {
 public:
  SdlSoundPlayer() = default;
  ~SdlSoundPlayer() override;
  SdlSoundPlayer(const SdlSoundPlayer&) = delete;
  SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

  void Open() override;
  void Play(const std::vector<uint8_t>& wave) override;

 private:
  static void Fill(void* self, Uint8* stream, int bytes);

  SDL_AudioDeviceID device_ = 0;
  bool tried_ = false;
  // Owned by the player: the caller's buffer may go away while this still plays.
  std::vector<int16_t> playing_;
  size_t position_ = 0;
};
