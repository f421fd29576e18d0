#include "platform/SettingsFile.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

void (*g_write_hook)(const fs::path&) = nullptr;

// An INI file kept in order: sections as they appear, each with its lines.
struct IniSection {
  std::string name;
  std::vector<std::pair<std::string, std::string>> entries;
};

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return "";
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

std::vector<IniSection> ReadIni(const fs::path& file) {
  std::vector<IniSection> sections;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    const std::string t = Trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') continue;
    if (t.front() == '[' && t.back() == ']') {
      sections.push_back({t.substr(1, t.size() - 2), {}});
    } else if (const auto eq = t.find('='); eq != std::string::npos && !sections.empty()) {
      sections.back().entries.emplace_back(Trim(t.substr(0, eq)), Trim(t.substr(eq + 1)));
    }
  }
  return sections;
}

std::string FormatIni(const std::vector<IniSection>& sections) {
  std::ostringstream out;
  for (size_t i = 0; i < sections.size(); ++i) {
    if (i) out << '\n';
    out << '[' << sections[i].name << "]\n";
    for (const auto& [key, value] : sections[i].entries) out << key << '=' << value << '\n';
  }
  return out.str();
}

void SetEntry(IniSection& section, const std::string& key, const std::string& value) {
  for (auto& entry : section.entries) {
    if (entry.first == key) {
      entry.second = value;
      return;
    }
  }
  section.entries.emplace_back(key, value);
}

std::string ErrnoText() {
  return std::strerror(errno);
}

// Writes `text` to a new file beside `file` and renames it over `file`.
void ReplaceAtomically(const fs::path& file, const std::string& text) {
  std::error_code ec;
  fs::create_directories(file.parent_path(), ec);
  if (ec) throw SettingsWriteError(file, ec.message());

  fs::path temporary = file;
  temporary += ".tmp-" + std::to_string(::getpid());
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) throw SettingsWriteError(file, ErrnoText());

  const char* data = text.data();
  size_t left = text.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, data, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      const std::string reason = ErrnoText();
      ::close(fd);
      ::unlink(temporary.c_str());
      throw SettingsWriteError(file, reason);
    }
    data += n;
    left -= size_t(n);
  }
  if (::fsync(fd) != 0 || ::close(fd) != 0) {
    const std::string reason = ErrnoText();
    ::unlink(temporary.c_str());
    throw SettingsWriteError(file, reason);
  }
  if (g_write_hook) g_write_hook(temporary);
  if (::rename(temporary.c_str(), file.c_str()) != 0) {
    const std::string reason = ErrnoText();
    ::unlink(temporary.c_str());
    throw SettingsWriteError(file, reason);
  }
}

}  // namespace

SettingsWriteError::SettingsWriteError(const fs::path& file, const std::string& reason)
    : std::runtime_error("cannot write " + file.string() + ": " + reason),
      file_(file),
      reason_(reason) {}

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

std::string SettingsFile::Get(const std::string& section, const std::string& key,
                              const std::string& fallback) const {
  for (const auto& s : ReadIni(file_)) {
    if (s.name != section) continue;
    for (const auto& [k, v] : s.entries) {
      if (k == key) return v;
    }
  }
  return fallback;
}

void SettingsFile::Put(const std::string& section,
                       const std::vector<std::pair<std::string, std::string>>& values) {
  auto sections = ReadIni(file_);
  IniSection* target = nullptr;
  for (auto& s : sections) {
    if (s.name == section) target = &s;
  }
  if (!target) {
    sections.push_back({section, {}});
    target = &sections.back();
  }
  for (const auto& [key, value] : values) SetEntry(*target, key, value);
  ReplaceAtomically(file_, FormatIni(sections));
}

void SetSettingsWriteHookForTests(void (*hook)(const fs::path&)) {
  g_write_hook = hook;
}
