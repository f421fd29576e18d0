#include "startup/Settings.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <type_traits>
#include <variant>
#include <vector>

#include "platform/core/Numeric.h"
#include "platform/core/SettingsStore.h"
#include "startup/SettingsText.h"

namespace modMain {

namespace {

using Member = SettingMember;

std::string ToText(const SettingsRecord& s, const Member& member) {
  struct {
    const SettingsRecord& s;
    std::string operator()(int16_t SettingsRecord::*m) const { return Int16ToText(s.*m); }
    std::string operator()(double SettingsRecord::*m) const { return DoubleToText(s.*m); }
    std::string operator()(bool SettingsRecord::*m) const { return BoolToText(s.*m); }
  } visit{s};
  return std::visit(visit, member);
}

template <typename T>
bool Store(SettingsRecord& s, T SettingsRecord::*member, const std::optional<T>& value) {
  if (value) s.*member = *value;
  return value.has_value();
}

// False, with the record unchanged, when the text cannot be read.
bool FromText(SettingsRecord& s, const Member& member, const std::string& text) {
  struct {
    SettingsRecord& s;
    const std::string& text;
    bool operator()(int16_t SettingsRecord::*m) const { return Store(s, m, ParseInt16(text)); }
    bool operator()(double SettingsRecord::*m) const { return Store(s, m, ParseNumber(text)); }
    bool operator()(bool SettingsRecord::*m) const { return Store(s, m, ParseBool(text)); }
  } visit{s, text};
  return std::visit(visit, member);
}

// An image size outside the four that exist reads as the large one.
void CorrectPicSelected(SettingsRecord& s) {
  if (s.PicSelected < 0 || s.PicSelected > 3) s.PicSelected = 0;
}

// `text` fit for a terminal: valid UTF-8 as it is, control characters and stray bytes of a
// damaged file as \xNN.
std::string Printable(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    const size_t length = c < 0x80           ? 1
                          : (c >> 5) == 0x6  ? 2
                          : (c >> 4) == 0xE  ? 3
                          : (c >> 3) == 0x1E ? 4
                                             : 0;
    bool valid = length > 0 && i + length <= text.size() && (length > 1 || c >= 0x20) && c != 0x7F;
    for (size_t k = 1; valid && k < length; ++k) {
      valid = (static_cast<unsigned char>(text[i + k]) >> 6) == 0x2;
    }
    if (valid) {
      out.append(text, i, length);
      i += length;
    } else {
      static const char* hex = "0123456789ABCDEF";
      out += std::string("\\x") + hex[c >> 4] + hex[c & 0xF];
      ++i;
    }
  }
  return out;
}

}  // namespace

SettingsRecord& Settings() {
  static SettingsRecord record;
  return record;
}

const SettingEntry& Entry(std::string_view key) {
  for (const SettingEntry& entry : kSettingTable) {
    if (key == entry.key) return entry;
  }
  throw std::logic_error("no setting is keyed " + std::string(key));
}

namespace {

void Assign(SettingsRecord& s, const Member& member, double value) {
  std::visit(
      [&](auto member) {
        using T = std::remove_reference_t<decltype(s.*member)>;
        if constexpr (std::is_same_v<T, bool>) {
          s.*member = value != 0;
        } else if constexpr (std::is_same_v<T, int16_t>) {
          s.*member = Nearest16(value);
        } else {
          s.*member = value;
        }
      },
      member);
}

}  // namespace

void SetSetting(SettingsRecord& s, std::string_view key, double value) {
  Assign(s, Entry(key).member, value);
}

void SetDefaultSettings(SettingsRecord& s) {
  for (const SettingEntry& entry : kSettingTable) Assign(s, entry.member, entry.defaultValue);
}

void LoadSettings(SettingsRecord& s, const SettingsStore& store, std::ostream& warnings) {
  SetDefaultSettings(s);
  std::vector<std::string> keys;
  for (const SettingEntry& entry : kSettingTable) keys.emplace_back(entry.key);
  const std::vector<std::optional<std::string>> stored = store.Get(kSection, keys);
  for (size_t i = 0; i < kSettingTable.size(); ++i) {
    const SettingEntry& entry = kSettingTable[i];
    const std::string text = stored[i].value_or(ToText(s, entry.member));
    if (!FromText(s, entry.member, text)) {
      warnings << "skorvane: " << Printable(store.Where()) << ": setting " << entry.key
               << " has the unreadable value \"" << Printable(text) << "\"; using its default\n";
    }
  }
  CorrectPicSelected(s);
}

void SaveSettings(const SettingsRecord& s, SettingsStore& store) {
  SettingsStore::Values values;
  for (const SettingEntry& entry : kSettingTable)
    values.emplace_back(entry.key, ToText(s, entry.member));
  store.Put(kSection, values);
}

void ClampSceneCounts(SettingsRecord& s) {
  s.PicCount = int16_t(std::clamp<int>(s.PicCount, 0, kSlotCount));
  s.StarCount = int16_t(std::clamp<int>(s.StarCount, 0, kSlotCount - s.PicCount));
}

}  // namespace modMain
