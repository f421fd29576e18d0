#include "platform/posix/SettingsFile.h"

#include <functional>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool ProcessIsGone(pid_t pid) {
  return pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

// A save killed between writing its temporary file and renaming it leaves "<file>.tmp-PID"
// behind; once PID has ended nobody will ever finish it.
void RemoveStaleTemporaries(const fs::path& file) {
  const std::string prefix = file.filename().string() + ".tmp-";
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(file.parent_path(), ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) != 0) continue;
    const std::string digits = name.substr(prefix.size());
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string::npos)
      continue;
    if (ProcessIsGone(pid_t(std::stol(digits)))) fs::remove(entry.path(), ec);
  }
}

// After a rename the new directory entry is durable only once the directory is synced.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string ErrnoText() {
  return std::strerror(errno);
}

// Writes `text` to a new file beside `file` and renames it over `file`.
void ReplaceAtomically(const fs::path& file, const std::string& text,
                       const std::function<void(const fs::path&)>& beforeRename) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (ec) throw SettingsWriteError(file.string(), ec.message());

  RemoveStaleTemporaries(file);
  fs::path temporary = file;
  temporary += ".tmp-" + std::to_string(::getpid());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw SettingsWriteError(file.string(), ErrnoText());

  const char* data = text.data();
  size_t left = text.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string reason = ErrnoText();
      ::close(fd);
      ::unlink(temporary.c_str());
      throw SettingsWriteError(file.string(), reason);
    }
    data += n;
    left -= size_t(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const std::string reason = ErrnoText();
    ::unlink(temporary.c_str());
    throw SettingsWriteError(file.string(), reason);
  }
  if (beforeRename) beforeRename(temporary);
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    const std::string reason = ErrnoText();
    ::unlink(temporary.c_str());
    throw SettingsWriteError(file.string(), reason);
  }
  SyncFolder(file.parent_path());
}

}  // namespace

fs::path SettingsFile::PathFor(const std::string& application) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  fs::path base;
  if (xdg && *xdg) {
    base = xdg;
  } else {
    const char* home = std::getenv("HOME");
    base = fs::path(home ? home : ".") / ".config";
  }
  return base / (application + ".ini");
}

IniText SettingsFile::Read() const {
  return IniText(ReadText(file_));
}

std::vector<std::optional<std::string>> SettingsFile::Get(
    const std::string& section, const std::vector<std::string>& keys) const {
  const IniText ini = Read();
  std::vector<std::optional<std::string>> values;
  for (const std::string& key : keys) values.push_back(ini.Get(section, key));
  return values;
}

void SettingsFile::Put(const std::string& section, const Values& values) {
  IniText ini = Read();
  for (const auto& [key, value] : values) ini.Set(section, key, value);
  ReplaceAtomically(file_, ini.Text(), before_rename_);
}
