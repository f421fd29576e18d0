#include "platform/InstanceMarkers.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

constexpr const char* kInstancePrefix = "copy-";

// Caption and display in a form fit for a file name: letters and digits as they are, every
// other byte as %XX, so two different captions never share a marker.
std::string Escape(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (std::isalnum(c)) {
      out += char(c);
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      out += hex;
    }
  }
  return out;
}

int OpenMarker(const fs::path& file) {
  return ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

// True when some process holds a lock on `file`. A marker that cannot be opened holds nothing.
bool IsHeld(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

fs::path CaptionFile(const std::string& caption) {
  const char* display = std::getenv("DISPLAY");
  return instance_markers::Folder() /
         ("window-" + Escape(display ? display : "") + "-" + Escape(caption) + ".lock");
}

}  // namespace

namespace instance_markers {

fs::path Folder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  fs::path folder = (runtime && *runtime)
                        ? fs::path(runtime) / "skorvane"
                        : fs::path("/tmp") / ("skorvane-" + std::to_string(::getuid()));
  std::error_code ec;
  fs::create_directories(folder, ec);
  fs::permissions(folder, fs::perms::owner_all, ec);
  return folder;
}

bool WindowWithCaptionExists(const std::string& caption) {
  return IsHeld(CaptionFile(caption));
}

void RegisterThisProcess() {
  const fs::path file = Folder() / (kInstancePrefix + std::to_string(::getpid()) + ".lock");
  const int fd = OpenMarker(file);
  if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB);  // kept open, and locked, until the process ends
}

bool PrevInstance() {
  const std::string own = kInstancePrefix + std::to_string(::getpid()) + ".lock";
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(Folder(), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kInstancePrefix, 0) != 0 || name == own) continue;
    if (IsHeld(entry.path())) return true;
    fs::remove(entry.path(), ec);  // left by a copy that was killed
  }
  return false;
}

}  // namespace instance_markers

CaptionMarker::CaptionMarker(const std::string& caption) {
  fd_ = OpenMarker(CaptionFile(caption));
  if (fd_ >= 0) ::flock(fd_, LOCK_EX | LOCK_NB);
}

CaptionMarker::~CaptionMarker() {
  if (fd_ >= 0) ::close(fd_);
}
