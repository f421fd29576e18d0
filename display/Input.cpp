// The input rules: what closes the screensaver, and what fires in target practice.
#include <cmath>

#include "display/frmStarfield3.h"
#include "platform/core/Failure.h"
#include "platform/core/Numeric.h"

namespace {
constexpr float kMoveThreshold = 5;  // pixels on either axis, between consecutive moves
}

void frmStarfield3::Close() {
  if (window_) window_->Unload();
}

void frmStarfield3::Form_KeyDown(int, int) {
  Close();
}

void frmStarfield3::Form_KeyPress(int) {
  Close();
}

void frmStarfield3::Form_MouseDown(int, int, float x, float y) {
  if (!window_) return;
  if (!settings_.TargetPractice) return Close();
  // Automatic fire pauses while the user shoots, and resumes 10 s after the last click.
  AutoFireHoldUntil = clock_.NowMs() + kAutoFireHoldAfterClickMs;
  FireLaser(Floor16(x), Floor16(y));
}

void frmStarfield3::Form_MouseMove(int, int, float x, float y) {
  if (!window_ || settings_.TargetPractice) return;
  CloseOnError(
      [&] {
        const bool moved = std::fabs(float(LastMouseX) - x) >= kMoveThreshold ||
                           std::fabs(float(LastMouseY) - y) >= kMoveThreshold;
        // (0, 0) means no position yet: the move the window gets when it first appears under the
        // pointer only records where the pointer is.
        if (moved && !(LastMouseX == 0 && LastMouseY == 0)) return Close();
        LastMouseX = Nearest16(x);
        LastMouseY = Nearest16(y);
      },
      [&] { Close(); });
}
