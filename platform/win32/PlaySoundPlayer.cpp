#include "platform/win32/PlaySoundPlayer.h"

#include <mmsystem.h>
#include "platform/win32/WindowsApi.h"

PlaySoundPlayer::~PlaySoundPlayer() {
  PlaySoundA(nullptr, nullptr, 0);  // the image must outlive its playing
}

void PlaySoundPlayer::Play(std::span<const uint8_t> wave) {
  if (wave.size() < 12) return;
  PlaySoundA(reinterpret_cast<const char*>(wave.data()), nullptr,
             SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}
