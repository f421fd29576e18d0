// The setup dialog on Windows: the dialog resource IDD_SETUP, driving the setup rules. Its
// controls raise the rules' notifications for changes made from code too, and only when the
// value differs, as the rules expect.
#pragma once

#include <memory>

#include "config/SetupRules.h"
#include "platform/win32/DisplayForm.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/Picture.h"

class SetupDialog : private SetupControls {
 public:
  SetupDialog(MessageLoop& loop, modMain::SettingsRecord& settings, SettingsStore& store,
              DisplayForm& display);
  ~SetupDialog() override;

  // Creates the dialog (its load: topmost, the settings into the controls) and shows it.
  void Show();

 private:
  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM w, LPARAM l);
  INT_PTR Handle(UINT message, WPARAM w, LPARAM l);
  void Form_Load();
  void Command(int id, int code);
  void Scroll(HWND bar, int request);
  void cmdSettingsOK_Click();
  void cmdPreview_Click();
  void Unload();
  HWND Control(int id) const { return GetDlgItem(dialog_, id); }

  // SetupControls
  std::string Text(CountBox box) const override;
  void SetText(CountBox box, const std::string& text) override;
  int Value(SetupBar bar) const override;
  void SetValue(SetupBar bar, int value) override;
  void SetChecked(SetupCheck check, bool on) override;
  void SelectImage(int index) override;

  MessageLoop& loop_;
  SetupRules rules_;
  SettingsStore& store_;
  DisplayForm& display_;
  Picture picture_;
  HWND dialog_ = nullptr;
  HFONT title_font_ = nullptr, note_font_ = nullptr;
  HBRUSH white_ = nullptr;
};
