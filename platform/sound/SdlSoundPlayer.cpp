#include "platform/sound/SdlSoundPlayer.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "platform/core/WaveSamples.h"

// SDL and the sound libraries it brings (a sound server's client, codecs, ...) are loaded
// only when sound is wanted: a silent display does not carry the 3 MB they take.
struct SdlAudio {
  decltype(&SDL_SetHint) SetHint = nullptr;
  decltype(&SDL_InitSubSystem) InitSubSystem = nullptr;
  decltype(&SDL_QuitSubSystem) QuitSubSystem = nullptr;
  decltype(&SDL_OpenAudioDevice) OpenAudioDevice = nullptr;
  decltype(&SDL_PauseAudioDevice) PauseAudioDevice = nullptr;
  decltype(&SDL_LockAudioDevice) LockAudioDevice = nullptr;
  decltype(&SDL_UnlockAudioDevice) UnlockAudioDevice = nullptr;
  decltype(&SDL_CloseAudioDevice) CloseAudioDevice = nullptr;
};

namespace {

// ALSA's own complaints (eight lines on stderr each time a device that is not there is
// opened) would land in the user's session log through the frontend; we say it once.
extern "C" void IgnoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void SilenceAlsa() {
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
  if (!alsa) return;  // SDL will not use it either
  auto* setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"));
  if (setHandler) setHandler(&IgnoreAlsaError);
}

// The library's functions, or nullptr when it cannot be loaded. Loaded once, kept.
const SdlAudio* LoadSdlAudio() {
  static const SdlAudio* loaded = []() -> const SdlAudio* {
    void* library = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library) return nullptr;
    SilenceAlsa();
    static SdlAudio sdl;
    bool complete = true;
    auto bind = [&](auto& function, const char* name) {
      function =
          reinterpret_cast<std::remove_reference_t<decltype(function)>>(dlsym(library, name));
      complete = complete && function;
    };
    bind(sdl.SetHint, "SDL_SetHint");
    bind(sdl.InitSubSystem, "SDL_InitSubSystem");
    bind(sdl.QuitSubSystem, "SDL_QuitSubSystem");
    bind(sdl.OpenAudioDevice, "SDL_OpenAudioDevice");
    bind(sdl.PauseAudioDevice, "SDL_PauseAudioDevice");
    bind(sdl.LockAudioDevice, "SDL_LockAudioDevice");
    bind(sdl.UnlockAudioDevice, "SDL_UnlockAudioDevice");
    bind(sdl.CloseAudioDevice, "SDL_CloseAudioDevice");
    return complete ? &sdl : nullptr;
  }();
  return loaded;
}

}  // namespace

SdlSoundPlayer::~SdlSoundPlayer() {
  if (device_) sdl_->CloseAudioDevice(device_);  // stops the callback before playing_ goes
  if (available_) sdl_->QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSoundPlayer::Open() {
  if (tried_) return;
  tried_ = true;
  sdl_ = LoadSdlAudio();
  if (!sdl_) return SayUnavailable();
  // SDL would otherwise take SIGTERM and SIGINT for itself, and a frontend could not stop us.
  sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  available_ = sdl_->InitSubSystem(SDL_INIT_AUDIO) == 0;
  if (!available_) SayUnavailable();
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
  device_ = sdl_->OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_) sdl_->PauseAudioDevice(device_, 0);
  if (!device_) SayUnavailable();
  return device_ != 0;
}

void SdlSoundPlayer::SayUnavailable() {
  if (told_) return;
  told_ = true;
  std::fprintf(stderr, "skorvane: no sound device could be opened; the display is silent.\n");
}

void SdlSoundPlayer::Play(std::span<const uint8_t> wave) {
  Open();
  if (!available_ || (!device_ && !OpenDevice())) return;
  std::vector<int16_t> next = ToOutputSamples(wave.data(), wave.size());
  const int lengthMs = int(next.size() * 1000 / kOutputRate);
  sdl_->LockAudioDevice(device_);
  playing_.swap(next);
  position_ = 0;
  sdl_->UnlockAudioDevice(device_);
  CloseWhenIdle(lengthMs + kIdleCloseMs);
}  // the cut-off sound is freed here, outside the lock

void SdlSoundPlayer::CloseWhenIdle(int afterMs) {
  if (!later_) return;
  const unsigned generation = ++generation_;
  later_(afterMs, [this, generation] { CloseIfIdle(generation); });
}

void SdlSoundPlayer::CloseIfIdle(unsigned generation) {
  if (generation != generation_ || !device_) return;  // a later sound has its own
  sdl_->LockAudioDevice(device_);
  const bool done = position_ >= playing_.size();
  sdl_->UnlockAudioDevice(device_);
  if (!done) return CloseWhenIdle(kIdleCloseMs);  // the device ran late: look again
  sdl_->CloseAudioDevice(device_);
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
