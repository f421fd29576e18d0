// The setup dialog's rules, free of any toolkit: the count texts and their bars, the hidden
// speed bars, the check boxes, the image options, Defaults and OK. Each platform's dialog
// implements SetupControls and calls the handlers below from its controls' notifications.
#pragma once

#include <optional>
#include <string>

#include "startup/Settings.h"

class SettingsStore;

// The message the dialog shows beside the switches.
inline constexpr const char* kSetupMessage =
    "While you enjoy the stars, please think of people who have lost their homes to war or "
    "disaster. A gift to a relief organisation of your choice, however small, helps. Thank you!";

enum class CountBox { Stars, Objects };
enum class SetupBar { Stars, Objects, Speed, Spin };
enum class SetupCheck { SpinSwitch, Target, Lasers, Sound };

// The dialog's controls as the rules read and set them. Setting a value from code must raise
// the same notification as the user's change (so that the rules run, nested), and only when
// the value differs from the one the control holds.
class SetupControls {
 public:
  virtual ~SetupControls() = default;
  virtual std::string Text(CountBox box) const = 0;
  virtual void SetText(CountBox box, const std::string& text) = 0;
  virtual int Value(SetupBar bar) const = 0;
  virtual void SetValue(SetupBar bar, int value) = 0;
  virtual void SetChecked(SetupCheck check, bool on) = 0;
  virtual void SelectImage(int index) = 0;
};

// A bar's range and steps: a count's bar steps by 1, a number's by hundredths.
struct BarRange {
  int least, most, small, large, initial;  // `initial`: its value when the dialog is made
};
BarRange RangeOf(SetupBar bar);

// A count text is a number when it starts with a digit and reads as a number as a whole.
std::optional<double> CountValue(const std::string& text);

class SetupRules {
 public:
  SetupRules(modMain::SettingsRecord& settings, SetupControls& controls)
      : settings_(settings), controls_(controls) {}

  // Puts the nine settings into the controls.
  void RefreshControls();

  // The controls' notifications.
  void TextChanged(CountBox box);
  void BarChanged(SetupBar bar);
  void CheckClicked(SetupCheck check, bool on);
  void ImageClicked(int index);

  // The Defaults button.
  void Defaults();
  // The OK button's save; throws SettingsWriteError, the edits kept.
  void Save(SettingsStore& store);

 private:
  int16_t& CountOf(CountBox box);

  modMain::SettingsRecord& settings_;
  SetupControls& controls_;
};
