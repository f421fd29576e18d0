#include "platform/InstanceMarkers.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

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
