#include "platform/posix/InstanceMarkers.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>
#include <fstream>

#include "tests/TempDir.h"

namespace {

class InstanceMarkersTest : public ::testing::Test {
 protected:
  void SetUp() override { ::setenv("XDG_RUNTIME_DIR", dir_.Path().c_str(), 1); }
  TempDir dir_;
};

// Runs `work` in a child process that then waits to be killed; returns its pid once `work` ran.
pid_t ChildThatHolds(void (*work)()) {
  int ready[2];
  if (::pipe(ready) != 0) return -1;
  const pid_t child = ::fork();
  if (child == 0) {
    work();
    (void)!::write(ready[1], "x", 1);
    for (;;) ::pause();
  }
  char c;
  (void)!::read(ready[0], &c, 1);
  ::close(ready[0]);
  ::close(ready[1]);
  return child;
}

void KillAndReap(pid_t child) {
  ::kill(child, SIGKILL);
  ::waitpid(child, nullptr, 0);
}

}  // namespace

TEST_F(InstanceMarkersTest, ACaptionIsFoundWhileAWindowBearsIt) {
  EXPECT_FALSE(instance_markers::WindowWithCaptionExists("Skorvane!"));
  {
    CaptionMarker marker("Skorvane!");
    EXPECT_TRUE(instance_markers::WindowWithCaptionExists("Skorvane!"));
    EXPECT_FALSE(instance_markers::WindowWithCaptionExists("Skorvane! Screensaver Setup"));
    EXPECT_FALSE(instance_markers::WindowWithCaptionExists("skorvane!"));  // exact caption only
  }
  EXPECT_FALSE(instance_markers::WindowWithCaptionExists("Skorvane!"));
}

TEST_F(InstanceMarkersTest, AKilledCopyHoldsNothing) {
  const pid_t child = ChildThatHolds([] {
    instance_markers::RegisterThisProcess();
    static CaptionMarker marker("Skorvane!");
  });
  EXPECT_TRUE(instance_markers::WindowWithCaptionExists("Skorvane!"));
  EXPECT_TRUE(instance_markers::PrevInstance());
  KillAndReap(child);
  EXPECT_FALSE(instance_markers::WindowWithCaptionExists("Skorvane!"));
  EXPECT_FALSE(instance_markers::PrevInstance());
}

TEST_F(InstanceMarkersTest, ThisCopyIsNotAPreviousInstance) {
  instance_markers::RegisterThisProcess();
  EXPECT_FALSE(instance_markers::PrevInstance());
}

TEST(CanonicalDisplay, OneDisplayHasOneName) {
  using instance_markers::CanonicalDisplay;
  EXPECT_EQ(CanonicalDisplay(":3"), ":3.0");
  EXPECT_EQ(CanonicalDisplay(":3.0"), ":3.0");
  EXPECT_EQ(CanonicalDisplay("unix:3"), ":3.0");
  EXPECT_EQ(CanonicalDisplay("localhost:03.0"), ":3.0");
  EXPECT_EQ(CanonicalDisplay(":3.1"), ":3.1");  // another screen is another display window
  EXPECT_EQ(CanonicalDisplay("far.example:3"), "far.example:3.0");
  EXPECT_NE(CanonicalDisplay(":3"), CanonicalDisplay(":4"));
}

TEST_F(InstanceMarkersTest, ADisplaySpelledAnotherWayStillFindsTheWindow) {
  ::setenv("DISPLAY", ":3", 1);
  CaptionMarker marker("Skorvane!");
  ::setenv("DISPLAY", "unix:3.0", 1);
  EXPECT_TRUE(instance_markers::WindowWithCaptionExists("Skorvane!"));
  ::setenv("DISPLAY", ":4", 1);
  EXPECT_FALSE(instance_markers::WindowWithCaptionExists("Skorvane!"));
}

TEST_F(InstanceMarkersTest, AnUnusableRuntimeFolderFallsBackToAPrivateOne) {
  TempDir tmp;
  ::setenv("TMPDIR", tmp.Path().c_str(), 1);
  // A plain file where the runtime folder should be: no marker can be made there.
  const auto blocked = dir_.Path() / "file";
  std::ofstream(blocked) << "";
  ::setenv("XDG_RUNTIME_DIR", blocked.c_str(), 1);
  {
    CaptionMarker marker("Skorvane!");
    EXPECT_TRUE(instance_markers::WindowWithCaptionExists("Skorvane!"));
  }
  const auto fallback = tmp.Path() / ("skorvane-" + std::to_string(::getuid()));
  EXPECT_EQ(instance_markers::Folder(), fallback);
  EXPECT_EQ(std::filesystem::status(fallback).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
  ::unsetenv("TMPDIR");
}

TEST_F(InstanceMarkersTest, AFolderOfSomeoneElseIsRefusedAndNothingCountsAsChecked) {
  TempDir tmp;
  ::setenv("TMPDIR", tmp.Path().c_str(), 1);
  for (const auto& base : {dir_.Path(), tmp.Path()}) {
    const auto theirs = base / (base == dir_.Path() ? std::string("skorvane")
                                                    : "skorvane-" + std::to_string(::getuid()));
    std::filesystem::create_directory(theirs);
    ASSERT_EQ(::chmod(theirs.c_str(), 0777), 0);  // open to all: anyone could plant a marker
  }
  EXPECT_FALSE(instance_markers::Folder());
  EXPECT_TRUE(instance_markers::WindowWithCaptionExists("Skorvane!"));  // could not check
  EXPECT_TRUE(instance_markers::PrevInstance());
  ::unsetenv("TMPDIR");
}

TEST_F(InstanceMarkersTest, AMarkerThatCannotBeOpenedCountsAsHeld) {
  // Never let a second copy start on a marker we cannot read: a link that loops on itself
  // cannot be opened, even by root.
  ::unsetenv("DISPLAY");
  const auto folder = instance_markers::Folder();
  ASSERT_TRUE(folder);
  for (const char* name : {"copy-999999.lock", "window--Skorvane%21.lock"}) {
    const auto marker = *folder / name;
    ASSERT_EQ(::symlink(marker.c_str(), marker.c_str()), 0);
  }
  EXPECT_TRUE(instance_markers::PrevInstance());
  EXPECT_TRUE(instance_markers::WindowWithCaptionExists("Skorvane!"));
  EXPECT_FALSE(instance_markers::WindowWithCaptionExists("Skorvane! Screensaver Setup"));
}

TEST_F(InstanceMarkersTest, AWindowIsFoundFromEitherDisplayOfAWaylandSession) {
  ::setenv("DISPLAY", ":0", 1);
  ::setenv("WAYLAND_DISPLAY", "wayland-1", 1);
  CaptionMarker marker("Skorvane!");  // a session with both, as a desktop has them
  ::unsetenv("DISPLAY");
  EXPECT_TRUE(instance_markers::WindowWithCaptionExists("Skorvane!"));  // Wayland alone
  ::setenv("WAYLAND_DISPLAY", (dir_.Path() / "wayland-1").c_str(), 1);
  EXPECT_TRUE(instance_markers::WindowWithCaptionExists("Skorvane!"));  // the same socket
  ::setenv("WAYLAND_DISPLAY", "wayland-2", 1);
  EXPECT_FALSE(instance_markers::WindowWithCaptionExists("Skorvane!"));  // another session
  ::unsetenv("WAYLAND_DISPLAY");
  ::setenv("DISPLAY", ":0.0", 1);
  EXPECT_TRUE(instance_markers::WindowWithCaptionExists("Skorvane!"));  // XWayland's alone
  ::unsetenv("DISPLAY");
}
