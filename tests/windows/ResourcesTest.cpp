// The executable's resources as the system's screen saver page and the program find them:
// the name it lists, the sounds by name and type in US English, the portraits and explosion
// frames, the icon group with its two icons, and the version block.
#include <gtest/gtest.h>

#include <string>

#include "media/MediaSource.h"
#include "media/MediaTable.h"
#include "media/VersionBlock.h"
#include "platform/core/WaveSamples.h"
#include "platform/win32/ResourceBytes.h"
#include "platform/win32/WindowsApi.h"

namespace {

constexpr WORD kUsEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

TEST(ResourcesTest, TheScreenSaverListShowsItsName) {
  char name[64] = {};
  ASSERT_GT(LoadStringA(GetModuleHandleA(nullptr), 1, name, sizeof name), 0);
  EXPECT_STREQ(name, "Skorvane!");
}

TEST(ResourcesTest, SoundsArePcmWaveImagesByNameInUsEnglish) {
  for (const char* name : {"LASER.WAV", "LASEREXPLODE.WAV", "LEXPLODE.WAV"}) {
    EXPECT_NE(FindResourceExA(nullptr, "SOUNDS", name, kUsEnglish), nullptr) << name;
    EmbeddedMedia media;
    const auto bytes = media.LoadResData(name, "SOUNDS");
    ASSERT_GT(bytes.size(), 44u) << name;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data()), 4), "RIFF") << name;
    EXPECT_FALSE(ToOutputSamples(bytes.data(), bytes.size()).empty()) << name;
  }
}

TEST(ResourcesTest, PortraitsAndExplosionFramesDecodeAtTheirSizes) {
  EmbeddedMedia media;
  const int sizes[4][2] = {{145, 225}, {116, 180}, {87, 135}, {58, 90}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NE(FindResourceExA(nullptr, RT_BITMAP, MAKEINTRESOURCEA(101 + i), kUsEnglish), nullptr);
    const Surface portrait = media.LoadResPicture(101 + i);
    EXPECT_EQ(portrait.Width(), sizes[i][0]);
    EXPECT_EQ(portrait.Height(), sizes[i][1]);
  }
  for (int n = 0; n < media::kBoomFrames; ++n) {
    const Surface frame = media.BoomFrame(n);
    EXPECT_EQ(frame.Width(), media::kBoomWidth) << n;
    EXPECT_EQ(frame.Height(), media::kBoomHeight) << n;
  }
}

TEST(ResourcesTest, IconGroupOneGathersIcons30001And30002) {
  const auto group = ResourceBytes(MAKEINTRESOURCEA(1), RT_GROUP_ICON);
  ASSERT_EQ(group.size(), 6u + 2 * 14);
  EXPECT_EQ(group[4], 2);  // two images
  const uint8_t* first = group.data() + 6;
  const uint8_t* second = first + 14;
  EXPECT_EQ(first[0], 32);
  EXPECT_EQ(first[12] | first[13] << 8, 30001);
  EXPECT_EQ(second[0], 16);
  EXPECT_EQ(second[12] | second[13] << 8, 30002);
  const auto big = ResourceBytes(MAKEINTRESOURCEA(30001), RT_ICON);
  EXPECT_EQ(big.size(), size_t(first[8] | first[9] << 8));
  EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1)), nullptr);
}

std::string VersionString(const std::vector<char>& block, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
    return "(none)";
  return std::string(value, length > 0 ? length - 1 : 0);
}

TEST(ResourcesTest, TheVersionBlockHasTheProjectsVersionAndNames) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const DWORD size = GetFileVersionInfoSizeA(path, nullptr);
  ASSERT_GT(size, 0u);
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, block.data()));
  EXPECT_EQ(VersionString(block, "FileVersion"), media::kFileVersion);
  EXPECT_EQ(VersionString(block, "ProductVersion"), media::kProductVersion);
  EXPECT_EQ(VersionString(block, "InternalName"), "Skorvane!");
  EXPECT_EQ(VersionString(block, "OriginalFilename"), "Skorvane!.scr");
  EXPECT_EQ(VersionString(block, "ProductName"), media::kProductName);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileOS, DWORD(VOS__WINDOWS32));
  EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
}

}  // namespace
