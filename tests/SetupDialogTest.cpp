// Drives the real setup dialog on Qt's offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <fstream>
#include <sstream>

#include "config/frmSetup.h"
#include "platform/desktop/App.h"
#include "platform/posix/SettingsFile.h"
#include "tests/TempDir.h"

namespace {

// Stands in for the display form behind Preview: shows nothing, counts its showings.
class FakeDisplay : public Form {
 public:
  explicit FakeDisplay(Application& app) : Form(app, "Skorvane!") {}
  int shown = 0;
  modMain::SettingsRecord seen;
  const modMain::SettingsRecord* settings = nullptr;

 protected:
  std::unique_ptr<QWidget> CreateWindow() override { return std::make_unique<QWidget>(); }
  void Form_Load() override {
    ++shown;
    seen = *settings;
    QTimer::singleShot(0, [this] { Unload(); });  // closes at once, as if a key had been pressed
  }
};

class SetupDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("XDG_RUNTIME_DIR", dir_.Path().c_str(), 1);
    store_ = std::make_unique<SettingsFile>(dir_.Path() / "Skorvane Screensaver.ini");
    display_.settings = &settings_;
  }
  void TearDown() override {
    if (dialog_ && dialog_->IsLoaded()) dialog_->Unload();
  }

  // Loads the dialog over the given stored text (none: an empty store).
  frmSetup& Open(const std::string& stored = "") {
    if (!stored.empty()) std::ofstream(store_->Path()) << "[Settings]\n" << stored;
    std::ostringstream warnings;
    modMain::LoadSettings(settings_, *store_, warnings);
    dialog_ = std::make_unique<frmSetup>(app_, settings_, *store_, display_);
    dialog_->ReportError = [this](const QString& message) { errors_.push_back(message); };
    dialog_->Show();
    return *dialog_;
  }

  // What the store holds for `key` now.
  std::string Stored(const std::string& key) {
    return store_->Get("Settings", {key}).at(0).value_or("<none>");
  }

  void Type(QLineEdit* box, const QString& text) {
    box->selectAll();
    QTest::keyClicks(box, text);
  }

  TempDir dir_;
  std::unique_ptr<SettingsFile> store_;
  modMain::SettingsRecord settings_;
  Application app_;
  FakeDisplay display_{app_};
  std::unique_ptr<frmSetup> dialog_;
  std::vector<QString> errors_;
};

}  // namespace

TEST_F(SetupDialogTest, OpensOnTheStoredValuesWithFocusOnOk) {
  frmSetup& d = Open("StarCount=42\nPicCount=7\nPicSelected=3\nSound=False\nSpinSwitch=1\n");
  EXPECT_EQ(d.txtStars->text(), "42");
  EXPECT_EQ(d.vsbStars->value(), 42);
  EXPECT_EQ(d.txtObjects->text(), "7");
  EXPECT_TRUE(d.OptImage[3]->isChecked());
  EXPECT_FALSE(d.chkSound->isChecked());
  EXPECT_TRUE(d.chkSpinSwitch->isChecked());
  EXPECT_TRUE(d.chkTarget->isChecked());
  EXPECT_EQ(d.Window()->focusWidget(), d.cmdSettingsOK);
  EXPECT_EQ(d.cmdSettingsOK->nextInFocusChain(), d.cmdSettingsDefault);
  EXPECT_EQ(d.cmdSettingsDefault->nextInFocusChain(), d.cmdCancel);
  EXPECT_EQ(d.cmdCancel->nextInFocusChain(), d.txtStars);
  EXPECT_EQ(d.txtStars->nextInFocusChain(), d.txtObjects);
  EXPECT_FALSE(d.hsbSpeed->isVisible());
  EXPECT_EQ(d.Window()->size(), QSize(351, 352));
}

TEST_F(SetupDialogTest, TypedCountsFollowTheTextAndBarRules) {
  frmSetup& d = Open();
  Type(d.txtObjects, "95");
  EXPECT_EQ(settings_.PicCount, 95);
  Type(d.txtObjects, "150");
  EXPECT_EQ(d.txtObjects->text(), "100");
  EXPECT_EQ(settings_.PicCount, 100);
  Type(d.txtStars, "1200");
  EXPECT_EQ(d.txtStars->text(), "400");
  EXPECT_EQ(settings_.StarCount, 400);

  d.txtStars->setText("007");
  EXPECT_EQ(d.txtStars->text(), "7");  // the bar moved and wrote the count back
  EXPECT_EQ(settings_.StarCount, 7);
  d.txtObjects->setText("4");
  d.txtObjects->setText("4.5");
  EXPECT_EQ(d.txtObjects->text(), "4.5");  // rounds to the count it has: left as typed
  EXPECT_EQ(settings_.PicCount, 4);
}

TEST_F(SetupDialogTest, ALetterAMinusOrATrailingLetterEmptiesTheBoxAndTheCountFalls) {
  frmSetup& d = Open();
  for (const char* bad : {"x", "-5", "5a"}) {
    d.txtStars->setText("200");
    d.txtStars->setText(bad);
    EXPECT_EQ(d.txtStars->text(), "0") << bad;  // emptied, then the bar's move to 0 shows 0
    EXPECT_EQ(settings_.StarCount, 0) << bad;
  }
  d.txtObjects->setText("");
  EXPECT_EQ(settings_.PicCount, 0);
}

TEST_F(SetupDialogTest, AnEmptyImageCountThenOkStoresZero) {
  frmSetup& d = Open();
  d.txtObjects->clear();
  QTest::mouseClick(d.cmdSettingsOK, Qt::LeftButton);
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(Stored("PicCount"), "0");
}

TEST_F(SetupDialogTest, DefaultsThenOkStoresTheDefaults) {
  frmSetup& d = Open(
      "StarCount=3\nPicCount=4\nSpeed=7\nSpinRatio=2\nSpinSwitch=1\nPicSelected=0\n"
      "Sound=False\nTargetPractice=False\nShowLasers=False\n");
  QTest::mouseClick(d.cmdSettingsDefault, Qt::LeftButton);
  EXPECT_TRUE(d.OptImage[1]->isChecked());
  EXPECT_EQ(Stored("StarCount"), "3");  // nothing stored before OK
  QTest::mouseClick(d.cmdSettingsOK, Qt::LeftButton);
  const std::pair<const char*, const char*> expected[] = {
      {"StarCount", "150"}, {"PicCount", "15"},         {"Speed", "0.5"},
      {"SpinRatio", "1"},   {"SpinSwitch", "0"},        {"PicSelected", "1"},
      {"Sound", "True"},    {"TargetPractice", "True"}, {"ShowLasers", "True"}};
  for (auto [key, text] : expected) EXPECT_EQ(Stored(key), text) << key;
}

TEST_F(SetupDialogTest, SpeedAndSpinAreBroughtToHundredthsAndIntoRange) {
  Open("Speed=0.125\nSpinRatio=0.375\n");
  EXPECT_EQ(settings_.Speed, 0.12);
  EXPECT_EQ(settings_.SpinRatio, 0.38);
  QTest::mouseClick(dialog_->cmdSettingsOK, Qt::LeftButton);
  EXPECT_EQ(Stored("Speed"), "0.12");
  EXPECT_EQ(Stored("SpinRatio"), "0.38");

  Open("Speed=-3\nSpinRatio=99\nSpinSwitch=7\nStarCount=-9\n");
  EXPECT_EQ(settings_.Speed, 0.0);
  EXPECT_EQ(settings_.SpinRatio, 5.0);
  EXPECT_EQ(settings_.SpinSwitch, 1);
  EXPECT_EQ(settings_.StarCount, 0);
  EXPECT_TRUE(dialog_->IsLoaded());
}

TEST_F(SetupDialogTest, CancelAndTheCloseBoxStoreNothing) {
  frmSetup& d = Open("StarCount=42\n");
  Type(d.txtStars, "300");
  QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(Stored("StarCount"), "42");
  Open("StarCount=42\n");
  Type(dialog_->txtStars, "300");
  dialog_->Window()->close();
  EXPECT_FALSE(dialog_->IsLoaded());
  EXPECT_EQ(Stored("StarCount"), "42");
  Open("StarCount=42\n");
  Type(dialog_->txtStars, "300");
  dialog_->Window()->activateWindow();  // shortcuts work in the active window, as for a user
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_->Window()));
  QTest::keyClick(dialog_->txtStars, Qt::Key_Escape);
  EXPECT_FALSE(dialog_->IsLoaded());
  EXPECT_EQ(Stored("StarCount"), "42");
}

TEST_F(SetupDialogTest, EnterIsOkAndEscIsCancelFromEveryControl) {
  // Enter in the Stars box stores what was typed there.
  frmSetup& d = Open("StarCount=42\n");
  d.Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(d.Window()));
  Type(d.txtStars, "77");
  QTest::keyClick(d.txtStars, Qt::Key_Return);
  EXPECT_FALSE(d.IsLoaded());
  EXPECT_EQ(Stored("StarCount"), "77");

  // Enter on the Defaults button is OK too: what stands is stored, not the defaults.
  Open("StarCount=42\n");
  dialog_->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_->Window()));
  Type(dialog_->txtObjects, "9");
  dialog_->cmdSettingsDefault->setFocus();
  QTest::keyClick(dialog_->cmdSettingsDefault, Qt::Key_Enter);
  EXPECT_FALSE(dialog_->IsLoaded());
  EXPECT_EQ(Stored("StarCount"), "42");
  EXPECT_EQ(Stored("PicCount"), "9");

  // Esc from a check box stores nothing.
  std::filesystem::remove(store_->Path());
  Open();
  dialog_->Window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(dialog_->Window()));
  dialog_->chkSound->setFocus();
  QTest::keyClick(dialog_->chkSound, Qt::Key_Space);  // toggled, not stored
  QTest::keyClick(dialog_->chkSound, Qt::Key_Escape);
  EXPECT_FALSE(dialog_->IsLoaded());
  EXPECT_EQ(Stored("Sound"), "<none>");
}

TEST_F(SetupDialogTest, AStoreThatCannotBeWrittenKeepsTheDialogAndItsEdits) {
  frmSetup& d = Open();
  Type(d.txtStars, "321");
  // The store's folder made impossible: a plain file stands where it should be.
  store_ = nullptr;
  std::ofstream(dir_.Path() / "blocked") << "";
  SettingsFile blocked(dir_.Path() / "blocked" / "Skorvane Screensaver.ini");
  frmSetup second(app_, settings_, blocked, display_);
  second.ReportError = [this](const QString& message) { errors_.push_back(message); };
  second.Show();
  QTest::mouseClick(second.cmdSettingsOK, Qt::LeftButton);
  EXPECT_TRUE(second.IsLoaded());
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_TRUE(errors_[0].contains("blocked"));
  EXPECT_EQ(second.txtStars->text(), "321");
  EXPECT_EQ(settings_.StarCount, 321);
  second.Unload();
}

TEST_F(SetupDialogTest, PreviewShowsTheDisplayWithTheUnsavedValues) {
  frmSetup& d = Open("StarCount=42\n");
  Type(d.txtStars, "77");
  QTest::mouseClick(d.cmdPreview, Qt::LeftButton);
  EXPECT_EQ(display_.shown, 1);
  EXPECT_EQ(display_.seen.StarCount, 77);
  EXPECT_TRUE(d.IsLoaded());
  QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
  EXPECT_EQ(Stored("StarCount"), "42");
}

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
