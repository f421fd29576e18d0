#include "platform/win32/PlaySoundPlayer.h"

#include "platform/win32/WindowsApi.h"

#include <mmsystem.h>  // after <windows.h>, whose types it uses

PlaySoundPlayer::~PlaySoundPlayer() {
  PlaySoundA(nullptr, nullptr, 0);  // the image must outlive its playing
}

void PlaySoundPlayer::Play(std::span<const uint8_t> wave) {
  if (wave.size() < 12) return;
  PlaySoundA(reinterpret_cast<const char*>(wave.data()), nullptr,
             SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
}
