// Which windows and copies of this program are running, for this user.
//
// Each running copy, and each window bearing a caption, holds an flock() on a marker file in
// a private folder of the user's ($XDG_RUNTIME_DIR/skorvane, else $TMPDIR or /tmp, then
// skorvane-<uid>, each used only when it is a directory of ours that no one else may enter). A lock
// goes the moment its process ends, even by kill -9, so a crashed copy never blocks a start. When
// no such folder can be had, nothing can be checked, and every other copy counts as running.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/InstanceChecks.h"

namespace instance_markers {

// The marker folder; nullopt when neither place is usable.
std::optional<std::filesystem::path> Folder();

// DISPLAY in one spelling per display: ":3", ":3.0" and "unix:3" all give ":3.0".
std::string CanonicalDisplay(const std::string& display);

// True when a window of this program on this display (X11's or Wayland's, whichever this run
// sees) bears exactly `caption` (the role of FindWindowA with no class: any such window,
// shown or hidden, in any copy, this one too).
bool WindowWithCaptionExists(const std::string& caption);

// True when another copy of this program runs for this user, in any mode (App.PrevInstance).
bool PrevInstance();

// Marks this process as a running copy; call once at start-up, before PrevInstance(). False
// when there is no marker folder, and so nothing can be checked.
bool RegisterThisProcess();

}  // namespace instance_markers

// The checks start-up makes, answered from the markers.
class MarkerChecks : public InstanceChecks {
 public:
  bool WindowWithCaptionExists(const std::string& caption) override {
    return instance_markers::WindowWithCaptionExists(caption);
  }
  bool PrevInstance() override { return instance_markers::PrevInstance(); }
};

// Held by a window for as long as it bears its caption.
class CaptionMarker {
 public:
  explicit CaptionMarker(const std::string& caption);
  ~CaptionMarker();
  CaptionMarker(const CaptionMarker&) = delete;
  CaptionMarker& operator=(const CaptionMarker&) = delete;

 private:
  std::vector<int> fds_;  // one lock on each display of the run
};
