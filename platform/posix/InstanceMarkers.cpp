#include "platform/posix/InstanceMarkers.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

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

// True when some process holds a lock on `file`, and when we cannot tell: a marker that is
// there but cannot be read must never let a second copy start.
bool IsHeld(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno != ENOENT;
  const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
  ::close(fd);
  return held;
}

bool IsLocalHost(const std::string& host) {
  if (host.empty() || host == "unix" || host == "localhost" || host == "127.0.0.1" || host == "::1")
    return true;
  char own[256] = {};
  return ::gethostname(own, sizeof own - 1) == 0 && host == own;
}

// A folder of ours: a real directory (not a link), owned by us, closed to everyone else.
bool IsPrivateFolder(const fs::path& folder) {
  struct stat info {};
  return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
         info.st_uid == ::getuid() && (info.st_mode & 077) == 0 &&
         ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::optional<fs::path> MakePrivateFolder(const fs::path& folder) {
  ::mkdir(folder.c_str(), 0700);
  if (IsPrivateFolder(folder)) return folder;
  return std::nullopt;
}

// The displays this run is on, one spelling each: X11's DISPLAY, and the Wayland display as
// the path of its socket. A window is marked on each, so a copy that sees only one of them
// (XWayland's DISPLAY, or WAYLAND_DISPLAY alone) still finds it.
std::vector<std::string> DisplayKeys() {
  std::vector<std::string> keys;
  const char* display = std::getenv("DISPLAY");
  if (display && *display) keys.push_back(instance_markers::CanonicalDisplay(display));
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if (wayland && *wayland) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string socket =
        *wayland == '/' ? wayland : std::string(runtime ? runtime : "") + "/" + wayland;
    keys.push_back("wayland:" + socket);
  }
  if (keys.empty()) keys.emplace_back();  // no display at all: one marker for all such runs
  return keys;
}

// The caption's marker on each display of this run; none when there is no marker folder.
std::vector<fs::path> CaptionFiles(const std::string& caption) {
  std::vector<fs::path> files;
  const auto folder = instance_markers::Folder();
  if (!folder) return files;
  for (const std::string& key : DisplayKeys())
    files.push_back(*folder / ("window-" + Escape(key) + "-" + Escape(caption) + ".lock"));
  return files;
}

}  // namespace

namespace instance_markers {

std::string CanonicalDisplay(const std::string& display) {
  const size_t colon = display.rfind(':');
  if (colon == std::string::npos) return display;
  const std::string host = display.substr(0, colon);
  const std::string rest = display.substr(colon + 1);
  const size_t dot = rest.find('.');
  const std::string number = rest.substr(0, dot);
  const std::string screen = dot == std::string::npos ? "0" : rest.substr(dot + 1);
  const auto digits = [](const std::string& t) {
    return !t.empty() && t.size() < 10 && t.find_first_not_of("0123456789") == std::string::npos;
  };
  if (!digits(number) || !digits(screen)) return display;
  return (IsLocalHost(host) ? std::string() : host) + ":" + std::to_string(std::stoi(number)) +
         "." + std::to_string(std::stoi(screen));
}

std::optional<fs::path> Folder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) {
    if (auto folder = MakePrivateFolder(fs::path(runtime) / "skorvane")) return folder;
  }
  const char* tmp = std::getenv("TMPDIR");
  const fs::path base = tmp && *tmp ? fs::path(tmp) : fs::path("/tmp");
  return MakePrivateFolder(base / ("skorvane-" + std::to_string(::getuid())));
}

bool WindowWithCaptionExists(const std::string& caption) {
  const std::vector<fs::path> files = CaptionFiles(caption);
  if (files.empty()) return true;  // nothing can be checked
  return std::any_of(files.begin(), files.end(), IsHeld);
}

bool RegisterThisProcess() {
  const auto folder = Folder();
  if (!folder) return false;
  const fs::path file = *folder / (kInstancePrefix + std::to_string(::getpid()) + ".lock");
  const int fd = OpenMarker(file);
  if (fd >= 0) ::flock(fd, LOCK_EX | LOCK_NB);  // kept open, and locked, until the process ends
  return true;
}

bool PrevInstance() {
  const auto folder = Folder();
  if (!folder) return true;
  const std::string own = kInstancePrefix + std::to_string(::getpid()) + ".lock";
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(*folder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(kInstancePrefix, 0) != 0 || name == own) continue;
    if (IsHeld(entry.path())) return true;
    fs::remove(entry.path(), ec);  // left by a copy that was killed
  }
  return ec.value() != 0;
}

}  // namespace instance_markers

CaptionMarker::CaptionMarker(const std::string& caption) {
  for (const fs::path& file : CaptionFiles(caption)) {
    const int fd = OpenMarker(file);
    if (fd < 0) continue;
    ::flock(fd, LOCK_EX | LOCK_NB);
    fds_.push_back(fd);
  }
}

CaptionMarker::~CaptionMarker() {
  for (const int fd : fds_) ::close(fd);
}
