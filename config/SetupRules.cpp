#include "config/SetupRules.h"

#include <algorithm>
#include <cctype>

#include "platform/core/Numeric.h"
#include "startup/SettingsText.h"

namespace {

SetupBar BarOf(CountBox box) {
  return box == CountBox::Stars ? SetupBar::Stars : SetupBar::Objects;
}

BarRange OverSetting(const char* key, int unit, int small, int large, int initial) {
  const modMain::SettingEntry& entry = modMain::Entry(key);
  return {int(RoundHalfEven(entry.least * unit)), int(RoundHalfEven(entry.most * unit)), small,
          large, initial};
}

// The nearest value a bar can show for a stored value.
int BarValue(double stored, SetupBar bar) {
  const BarRange range = RangeOf(bar);
  const double v = RoundHalfEven(stored * 100);
  return int(std::clamp(v, double(range.least), double(range.most)));
}

}  // namespace

BarRange RangeOf(SetupBar bar) {
  switch (bar) {
    case SetupBar::Stars:
      return OverSetting("StarCount", 1, 1, 1, 0);
    case SetupBar::Objects:
      return OverSetting("PicCount", 1, 1, 1, 0);
    case SetupBar::Speed:
      return OverSetting("Speed", 100, 10, 100, 0);
    case SetupBar::Spin:
      return OverSetting("SpinRatio", 100, 5, 50, 25);
  }
  return {0, 0, 1, 1, 0};
}

std::optional<double> CountValue(const std::string& text) {
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0]))) return std::nullopt;
  return ParseNumber(text);
}

void SetupRules::RefreshControls() {
  controls_.SetText(CountBox::Stars, std::to_string(settings_.StarCount));
  controls_.SetValue(SetupBar::Stars, settings_.StarCount);
  controls_.SetText(CountBox::Objects, std::to_string(settings_.PicCount));
  controls_.SetValue(SetupBar::Objects, settings_.PicCount);
  // A stored value beyond what a control can show becomes the nearest one it can.
  const int speed = BarValue(settings_.Speed, SetupBar::Speed);
  if (speed != RoundHalfEven(settings_.Speed * 100)) settings_.Speed = speed / 100.0;
  controls_.SetValue(SetupBar::Speed, speed);
  const int spin = BarValue(settings_.SpinRatio, SetupBar::Spin);
  if (spin != RoundHalfEven(settings_.SpinRatio * 100)) settings_.SpinRatio = spin / 100.0;
  controls_.SetValue(SetupBar::Spin, spin);
  settings_.SpinSwitch = int16_t(std::clamp<int>(settings_.SpinSwitch, 0, 1));
  controls_.SetChecked(SetupCheck::SpinSwitch, settings_.SpinSwitch == 1);
  controls_.SetChecked(SetupCheck::Target, settings_.TargetPractice);
  controls_.SetChecked(SetupCheck::Sound, settings_.Sound);
  controls_.SetChecked(SetupCheck::Lasers, settings_.ShowLasers);
  controls_.SelectImage(std::clamp<int>(settings_.PicSelected, 0, 3));
}

int16_t& SetupRules::CountOf(CountBox box) {
  return box == CountBox::Stars ? settings_.StarCount : settings_.PicCount;
}

void SetupRules::TextChanged(CountBox box) {
  const SetupBar bar = BarOf(box);
  const BarRange range = RangeOf(bar);
  // Each step reads the box afresh: a step that rewrites it runs this rule again, nested.
  if (!CountValue(controls_.Text(box))) controls_.SetText(box, "");
  if (const auto value = CountValue(controls_.Text(box))) {
    if (*value > range.most) controls_.SetText(box, std::to_string(range.most));
    if (const auto v = CountValue(controls_.Text(box)); v && *v < range.least) {
      controls_.SetText(box, std::to_string(range.least));
    }
    if (const auto v = CountValue(controls_.Text(box))) {
      controls_.SetValue(bar, int(RoundHalfEven(*v)));
    }
  }
  if (controls_.Text(box).empty()) controls_.SetValue(bar, range.least);
  CountOf(box) = int16_t(controls_.Value(bar));
}

void SetupRules::BarChanged(SetupBar bar) {
  const int value = controls_.Value(bar);
  switch (bar) {
    case SetupBar::Stars:
    case SetupBar::Objects: {
      const CountBox box = bar == SetupBar::Stars ? CountBox::Stars : CountBox::Objects;
      CountOf(box) = int16_t(value);
      controls_.SetText(box, std::to_string(value));
      break;
    }
    case SetupBar::Speed:
      settings_.Speed = value / 100.0;
      break;
    case SetupBar::Spin:
      settings_.SpinRatio = value / 100.0;
      break;
  }
}

void SetupRules::CheckClicked(SetupCheck check, bool on) {
  switch (check) {
    case SetupCheck::SpinSwitch:
      settings_.SpinSwitch = on ? 1 : 0;
      break;
    case SetupCheck::Target:
      settings_.TargetPractice = on;
      break;
    case SetupCheck::Lasers:
      settings_.ShowLasers = on;
      break;
    case SetupCheck::Sound:
      settings_.Sound = on;
      break;
  }
}

void SetupRules::ImageClicked(int index) {
  settings_.PicSelected = int16_t(index);
  controls_.SelectImage(index);
}

void SetupRules::Defaults() {
  modMain::SetDefaultSettings(settings_);
  RefreshControls();
}

void SetupRules::Save(SettingsStore& store) {
  modMain::SaveSettings(settings_, store);
}
