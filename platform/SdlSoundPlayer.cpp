#include "platform/SdlSoundPlayer.h"

#include <algorithm>
#include <cstring>

#include "platform/WaveSamples.h"

SdlSoundPlayer::~SdlSoundPlayer() {
  if (device_) SDL_CloseAudioDevice(device_);  // stops the callback before playing_ goes
  if (tried_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSoundPlayer::Open() {
  if (tried_) return;
  tried_ = true;
  // SDL would otherwise take SIGTERM and SIGINT for itself, and a frontend could not stop us.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  available_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (available_ && OpenDevice()) CloseWhenIdle(kIdleCloseMs);  // ready for the first shot
}

bool SdlSoundPlayer::OpenDevice() {
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  want.samples = 512;  // about 12 ms: a shot is heard at once
  want.callback = &SdlSoundPlayer::Fill;
  want.userdata = this;
  SDL_AudioSpec have{};
  // No changes allowed: SDL adapts our format to the device's behind the scenes.
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_) SDL_PauseAudioDevice(device_, 0);
  return device_ != 0;
}

void SdlSoundPlayer::Play(const std::vector<uint8_t>& wave) {
  Open();
  if (!available_ || (!device_ && !OpenDevice())) return;
  std::vector<int16_t> next = ToOutputSamples(wave.data(), wave.size());
  const int lengthMs = int(next.size() * 1000 / kOutputRate);
  SDL_LockAudioDevice(device_);
  playing_.swap(next);
  position_ = 0;
  SDL_UnlockAudioDevice(device_);
  CloseWhenIdle(lengthMs + kIdleCloseMs);
}  // the cut-off sound is freed here, outside the lock

void SdlSoundPlayer::CloseWhenIdle(int afterMs) {
  if (!later_) return;
  const unsigned generation = ++generation_;
  later_(afterMs, [this, generation] { CloseIfIdle(generation); });
}

void SdlSoundPlayer::CloseIfIdle(unsigned generation) {
  if (generation != generation_ || !device_) return;  // a later sound has its own
  SDL_LockAudioDevice(device_);
  const bool done = position_ >= playing_.size();
  SDL_UnlockAudioDevice(device_);
  if (!done) return CloseWhenIdle(kIdleCloseMs);  // the device ran late: look again
  SDL_CloseAudioDevice(device_);
  device_ = 0;
  playing_.clear();
  position_ = 0;
}

void SdlSoundPlayer::Fill(void* self, Uint8* stream, int bytes) {
  auto* player = static_cast<SdlSoundPlayer*>(self);
  const size_t wanted = size_t(bytes) / sizeof(int16_t);
  const size_t left = player->playing_.size() - player->position_;
  const size_t count = std::min(wanted, left);
  if (count > 0) {
    std::memcpy(stream, player->playing_.data() + player->position_, count * sizeof(int16_t));
  }
  std::memset(stream + count * sizeof(int16_t), 0, (wanted - count) * sizeof(int16_t));
  player->position_ += count;
}
