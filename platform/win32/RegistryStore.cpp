#include "platform/win32/RegistryStore.h"

#include "platform/win32/WindowsApi.h"

namespace {

constexpr const char* kProgramSettings = "Software\\VB and VBA Program Settings\\";

std::optional<std::string> ReadString(HKEY key, const std::string& name) {
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return std::nullopt;
  }
  std::string text(bytes, '\0');
  if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(text.data()),
                       &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  text.resize(bytes);
  while (!text.empty() && text.back() == '\0') text.pop_back();  // the stored terminator
  return text;
}

LSTATUS WriteString(HKEY key, const std::string& name, const std::string& text) {
  return RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        DWORD(text.size() + 1));
}

std::string Reason(LSTATUS status) {
  char text[256] = {};
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, DWORD(status),
                 0, text, sizeof text, nullptr);
  std::string reason(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                             reason.back() == ' ' || reason.back() == '.')) {
    reason.pop_back();
  }
  return reason.empty() ? "error " + std::to_string(status) : reason;
}

}  // namespace

std::string RegistryStore::KeyPath(const std::string& section) const {
  return kProgramSettings + application_ + "\\" + section;
}

std::string RegistryStore::Where() const {
  return std::string("HKEY_CURRENT_USER\\") + kProgramSettings + application_;
}

std::vector<std::optional<std::string>> RegistryStore::Get(
    const std::string& section, const std::vector<std::string>& keys) const {
  std::vector<std::optional<std::string>> values(keys.size());
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return values;  // nothing stored yet: every value reads as not stored
  }
  for (size_t i = 0; i < keys.size(); ++i) values[i] = ReadString(key, keys[i]);
  RegCloseKey(key);
  return values;
}

void RegistryStore::Put(const std::string& section, const Values& values) {
  HKEY key = nullptr;
  LSTATUS status = RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, nullptr, 0,
                                   KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) throw SettingsWriteError(Where(), Reason(status));
  std::vector<std::pair<std::string, std::optional<std::string>>> before;
  for (const auto& [name, text] : values) {
    before.emplace_back(name, ReadString(key, name));
    status = WriteString(key, name, text);
    if (status == ERROR_SUCCESS) continue;
    for (const auto& [written, old] : before) {  // as it was, so that no half save is left
      if (old) {
        WriteString(key, written, *old);
      } else {
        RegDeleteValueA(key, written.c_str());
      }
    }
    RegCloseKey(key);
    throw SettingsWriteError(Where(), Reason(status));
  }
  RegCloseKey(key);
}
