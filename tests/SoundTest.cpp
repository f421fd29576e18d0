#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>
#include <utility>

#include "media/MediaTable.h"
#include "platform/core/WaveSamples.h"
#include "platform/sound/SdlSoundPlayer.h"
#include "tests/TempDir.h"

namespace {

std::vector<int16_t> Converted(const char* name) {
  const media::Bytes wave = media::LoadResData(name, "SOUNDS");
  return ToOutputSamples(wave.data(), wave.size());
}

}  // namespace

TEST(WaveSamples, EightBitEffectsAreWidenedAndEachSampleHeldFourTimes) {
  const media::Bytes wave = media::LoadResData("LASER.WAV", "SOUNDS");
  const std::vector<int16_t> out = Converted("LASER.WAV");
  ASSERT_EQ(out.size(), 3869u * 4);  // the 3 bytes past the RIFF image are not played
  const size_t data = 44;
  for (size_t i = 0; i < 3869; ++i) {
    for (size_t j = 0; j < 4; ++j) ASSERT_EQ(out[i * 4 + j], (wave[data + i] - 128) * 256);
  }
  EXPECT_EQ(Converted("LASEREXPLODE.WAV").size(), 38594u * 4);
  EXPECT_EQ(Converted("LEXPLODE.WAV").size(), 154374u);  // 44100 a second already
}

TEST(WaveSamples, AnythingElseIsSilence) {
  const uint8_t junk[] = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'A', 'V', 'I', ' '};
  EXPECT_TRUE(ToOutputSamples(junk, sizeof junk).empty());
  const media::Bytes laser = media::LoadResData("LASER.WAV", "SOUNDS");
  std::vector<uint8_t> stereo(laser.begin(), laser.end());
  stereo[22] = 2;
  EXPECT_TRUE(ToOutputSamples(stereo.data(), stereo.size()).empty());
  std::vector<uint8_t> odd(laser.begin(), laser.end());
  odd[24] = 0x10;  // 11024 a second: no whole number of output samples per sample
  EXPECT_TRUE(ToOutputSamples(odd.data(), odd.size()).empty());
}

// Plays through SDL's disk driver, which writes what the device would play to a file.
TEST(SdlSoundPlayer, ANewEffectCutsTheOneThatPlaysAndPlaysWhole) {
  TempDir dir;
  const std::string capture = (dir.Path() / "out.raw").string();
  ::setenv("SDL_AUDIODRIVER", "disk", 1);
  ::setenv("SDL_DISKAUDIOFILE", capture.c_str(), 1);
  const media::Bytes hit = media::LoadResData("LASEREXPLODE.WAV", "SOUNDS");
  const media::Bytes miss = media::LoadResData("LASER.WAV", "SOUNDS");
  {
    SdlSoundPlayer player;
    player.Open();
    player.Play(hit);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    player.Play(miss);
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
  }
  std::ifstream in(capture, std::ios::binary);
  std::vector<int16_t> played;
  int16_t s;
  while (in.read(reinterpret_cast<char*>(&s), sizeof s)) played.push_back(s);

  const std::vector<int16_t> explosion = Converted("LASEREXPLODE.WAV");
  const std::vector<int16_t> laser = Converted("LASER.WAV");
  // Silence until the first Play, the explosion from its start, cut somewhere, then the
  // whole laser, then silence. The explosion begins quietly: line it up on its first sound.
  auto firstSound = [](const std::vector<int16_t>& v) {
    return size_t(std::find_if(v.begin(), v.end(), [](int16_t x) { return x != 0; }) - v.begin());
  };
  ASSERT_GE(firstSound(played), firstSound(explosion));
  const size_t start = firstSound(played) - firstSound(explosion);
  played.erase(played.begin(), played.begin() + long(start));
  size_t cut = 0;
  while (cut < played.size() && cut < explosion.size() && played[cut] == explosion[cut]) ++cut;
  ASSERT_GT(cut, 44100u * 50 / 1000) << "the explosion did not play first";
  ASSERT_LT(cut, 44100u * 500 / 1000) << "the explosion was not cut";
  // The cut falls on a buffer boundary; the laser starts right after it.
  ASSERT_GE(played.size(), cut + laser.size());
  EXPECT_TRUE(std::equal(laser.begin(), laser.end(), played.begin() + long(cut)));
  for (size_t i = cut + laser.size(); i < played.size(); ++i) ASSERT_EQ(played[i], 0) << i;
}

TEST(SdlSoundPlayer, NoDeviceMeansSilenceWithoutErrorOrDelay) {
  ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  const auto start = std::chrono::steady_clock::now();
  SdlSoundPlayer player;
  player.Open();
  player.Play(media::LoadResData("LASER.WAV", "SOUNDS"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

// An open device keeps SDL's audio thread running; an idle player must not hold one.
TEST(SdlSoundPlayer, TheDeviceClosesOnceIdleAndOpensAgainForTheNextSound) {
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);
  auto threads = [] {
    return std::distance(std::filesystem::directory_iterator("/proc/self/task"),
                         std::filesystem::directory_iterator());
  };
  const auto before = threads();
  std::vector<std::pair<int, std::function<void()>>> scheduled;
  SdlSoundPlayer player(
      [&](int ms, std::function<void()> then) { scheduled.emplace_back(ms, std::move(then)); });
  const media::Bytes laser = media::LoadResData("LASER.WAV", "SOUNDS");

  player.Open();
  ASSERT_TRUE(player.DeviceOpen());
  EXPECT_GT(threads(), before);
  player.Play(laser);
  ASSERT_EQ(scheduled.size(), 2u);
  EXPECT_GT(scheduled[1].first, SdlSoundPlayer::kIdleCloseMs);  // the sound's length, then idle
  scheduled[0].second();  // the close Open() asked for: a sound has come since
  EXPECT_TRUE(player.DeviceOpen());

  std::this_thread::sleep_for(std::chrono::milliseconds(scheduled[1].first));
  scheduled[1].second();
  EXPECT_FALSE(player.DeviceOpen());
  for (int i = 0; i < 50 && threads() > before; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(threads(), before) << "SDL's audio thread still runs";

  player.Play(laser);
  EXPECT_TRUE(player.DeviceOpen());
}
