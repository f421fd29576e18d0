// Which windows and copies of this program are running, for this user.
//
// Each running copy, and each window bearing a caption, holds an flock() on a marker file in
// the user's runtime folder ($XDG_RUNTIME_DIR/skorvane, else /tmp/skorvane-<uid>). A lock
// goes the moment its process ends, even by kill -9, so a crashed copy never blocks a start.
#pragma once

#include <filesystem>
#include <string>

namespace instance_markers {

std::filesystem::path Folder();

// True when a window of this program on this display bears exactly `caption` (the role of
// FindWindowA with no class: any such window, shown or hidden, in any copy, this one too).
bool WindowWithCaptionExists(const std::string& caption);

// True when another copy of this program runs for this user, in any mode (App.PrevInstance).
bool PrevInstance();

// Marks this process as a running copy; call once at start-up, before PrevInstance().
void RegisterThisProcess();

}  // namespace instance_markers

// Held by a window for as long as it bears its caption.
class CaptionMarker {
 public:
  explicit CaptionMarker(const std::string& caption);
  ~CaptionMarker();
  CaptionMarker(const CaptionMarker&) = delete;
  CaptionMarker& operator=(const CaptionMarker&) = delete;

 private:
  int fd_ = -1;
};
