#include "startup/Settings.h"

#include <algorithm>
#include <optional>
#include <ostream>
#include <vector>

#include "platform/core/SettingsFile.h"
#include "startup/SettingsText.h"

namespace modMain {

namespace {

// One setting: its key, how it is written, and how a stored text is read into it. The table
// order is the order in which keys are read and written.
struct Field {
  const char* key;
  std::function<std::string(const SettingsRecord&)> toText;
  std::function<bool(SettingsRecord&, const std::string&)> fromText;      // false: unreadable
  std::function<void(SettingsRecord&)> correct = [](SettingsRecord&) {};  // after reading
};

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

template <typename T, typename Parse>
std::function<bool(SettingsRecord&, const std::string&)> Reader(T SettingsRecord::*member,
                                                                Parse parse) {
  return [member, parse](SettingsRecord& s, const std::string& text) {
    const std::optional<T> value = parse(text);
    if (!value) return false;
    s.*member = *value;
    return true;
  };
}

const std::vector<Field>& Fields() {
  static const std::vector<Field> fields = {
      {"Speed", [](auto& s) { return DoubleToText(s.Speed); },
       Reader(&SettingsRecord::Speed, ParseNumber)},
      {"StarCount", [](auto& s) { return Int16ToText(s.StarCount); },
       Reader(&SettingsRecord::StarCount, ParseInt16)},
      {"PicCount", [](auto& s) { return Int16ToText(s.PicCount); },
       Reader(&SettingsRecord::PicCount, ParseInt16)},
      {"SpinRatio", [](auto& s) { return DoubleToText(s.SpinRatio); },
       Reader(&SettingsRecord::SpinRatio, ParseNumber)},
      {"SpinSwitch", [](auto& s) { return Int16ToText(s.SpinSwitch); },
       Reader(&SettingsRecord::SpinSwitch, ParseInt16)},
      {"PicSelected", [](auto& s) { return Int16ToText(s.PicSelected); },
       Reader(&SettingsRecord::PicSelected, ParseInt16), CorrectPicSelected},
      {"Sound", [](auto& s) { return BoolToText(s.Sound); },
       Reader(&SettingsRecord::Sound, ParseBool)},
      {"TargetPractice", [](auto& s) { return BoolToText(s.TargetPractice); },
       Reader(&SettingsRecord::TargetPractice, ParseBool)},
      {"ShowLasers", [](auto& s) { return BoolToText(s.ShowLasers); },
       Reader(&SettingsRecord::ShowLasers, ParseBool)},
  };
  return fields;
}

}  // namespace

SettingsRecord& Settings() {
  static SettingsRecord record;
  return record;
}

void SetDefaultSettings(SettingsRecord& s) {
  s.Speed = 0.5;
  s.SpinRatio = 1.0;
  s.SpinSwitch = 0;
  s.StarCount = 150;
  s.PicCount = 15;
  s.PicSelected = 1;
  s.Sound = true;
  s.TargetPractice = true;
  s.ShowLasers = true;
}

void LoadSettings(SettingsRecord& s, const SettingsFile& store, std::ostream& warnings) {
  SetDefaultSettings(s);
  const IniText stored = store.Read();
  for (const Field& field : Fields()) {
    const std::string text = stored.Get(kSection, field.key).value_or(field.toText(s));
    if (!field.fromText(s, text)) {
      warnings << "skorvane: " << Printable(store.Path().string()) << ": setting " << field.key
               << " has the unreadable value \"" << Printable(text) << "\"; using its default\n";
    }
    field.correct(s);
  }
}

void SaveSettings(const SettingsRecord& s, SettingsFile& store) {
  std::vector<std::pair<std::string, std::string>> values;
  for (const Field& field : Fields()) values.emplace_back(field.key, field.toText(s));
  store.Put(kSection, values);
}

void ClampSceneCounts(SettingsRecord& s) {
  s.PicCount = int16_t(std::clamp<int>(s.PicCount, 0, kSlotCount));
  s.StarCount = int16_t(std::clamp<int>(s.StarCount, 0, kSlotCount - s.PicCount));
}

}  // namespace modMain
