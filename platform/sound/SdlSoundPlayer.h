// The sound output, through SDL's audio subsystem alone (the windows stay Qt's), loaded when
// the first sound is wanted. No SDL, no device, no sound server, or a device that fails
// means silence.
//
// An open device keeps SDL's audio thread waking every buffer, paused or not, so the device
// is open only while there is something to play: Open() opens it for the first sound, each
// sound keeps it, and a second after the last one has finished it is closed, to be opened
// again by the next. That second is counted by `later`, which runs a callback after a delay
// on the caller's thread (the event loop's timers); without it the device stays open.
#pragma once

#include <SDL2/SDL.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/core/SoundPlayer.h"

struct SdlAudio;

class SdlSoundPlayer : public SoundPlayer {
 public:
  using Later = std::function<void(int ms, std::function<void()> then)>;
  static constexpr int kIdleCloseMs = 1000;

  explicit SdlSoundPlayer(Later later = {}) : later_(std::move(later)) {}
  ~SdlSoundPlayer() override;
  SdlSoundPlayer(const SdlSoundPlayer&) = delete;
  SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

  void Open() override;
  void Play(std::span<const uint8_t> wave) override;
  bool DeviceOpen() const { return device_ != 0; }

 private:
  static void Fill(void* self, Uint8* stream, int bytes);
  bool OpenDevice();
  void CloseWhenIdle(int afterMs);
  void CloseIfIdle(unsigned generation);
  void SayUnavailable();  // once a run

  Later later_;
  const SdlAudio* sdl_ = nullptr;  // SDL's functions, loaded at Open()
  SDL_AudioDeviceID device_ = 0;
  bool tried_ = false, available_ = false, told_ = false;
  unsigned generation_ = 0;  // only the close scheduled last may close
  // Owned by the player: the caller's buffer may go away while this still plays.
  std::vector<int16_t> playing_;
  size_t position_ = 0;
};
