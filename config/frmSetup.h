// The setup dialog: edits the nine settings, previews the display with them, and stores them
// when OK is pressed. Every change of a control goes straight into the settings record.
#pragma once

#include <QString>
#include <functional>

#include "config/SetupRules.h"
#include "platform/desktop/Form.h"
#include "startup/Settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class SettingsStore;

class frmSetup : public Form, private SetupControls {
 public:
  frmSetup(Application& app, modMain::SettingsRecord& settings, SettingsStore& store,
           Form& display);

  // How a failed save is told to the user; a message box unless a test says otherwise.
  std::function<void(const QString& message)> ReportError;

  // The controls, by their names, for the tests that drive the dialog.
  QLineEdit *txtStars = nullptr, *txtObjects = nullptr;
  QScrollBar *vsbStars = nullptr, *vsbObjects = nullptr, *hsbSpeed = nullptr, *hsbSpin = nullptr;
  QCheckBox *chkSpinSwitch = nullptr, *chkTarget = nullptr, *chkLasers = nullptr,
            *chkSound = nullptr;
  QRadioButton* OptImage[4] = {};
  QPushButton *cmdCancel = nullptr, *cmdSettingsDefault = nullptr, *cmdPreview = nullptr,
              *cmdSettingsOK = nullptr;
  QLabel *Label2 = nullptr, *Image1 = nullptr;

 protected:
  std::unique_ptr<QWidget> CreateWindow() override;
  void Form_Load() override;

 private:
  void BuildHeader(QWidget* w);
  void BuildImageFrame(QWidget* w);
  void BuildCounts(QWidget* w);
  void BuildSwitches(QWidget* w);
  void BuildButtons(QWidget* w);
  void Connect();
  void cmdSettingsOK_Click();
  void cmdSettingsDefault_Click();
  void cmdPreview_Click();

  // SetupControls: Qt raises the notifications for changes made from code too, and only when
  // the value really changes.
  std::string Text(CountBox box) const override;
  void SetText(CountBox box, const std::string& text) override;
  int Value(SetupBar bar) const override;
  void SetValue(SetupBar bar, int value) override;
  void SetChecked(SetupCheck check, bool on) override;
  void SelectImage(int index) override;
  QScrollBar* BarControl(SetupBar bar) const;
  QCheckBox* CheckControl(SetupCheck check) const;

  SetupRules rules_;
  SettingsStore& store_;
  Form& display_;
};
