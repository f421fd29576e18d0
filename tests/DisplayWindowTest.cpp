// The real display window on Qt's offscreen platform: how input meets its activation, and
// what a form that cannot be loaded does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

#include "platform/core/Numeric.h"
#include "platform/desktop/App.h"
#include "platform/desktop/StarfieldForm.h"
#include "tests/DisplayFixture.h"
#include "tests/TempDir.h"

namespace {

// The display form, with input of the test's choosing posted at its window's first paint:
// the moment between the window appearing and its activation running.
class InputAtFirstPaint : public StarfieldForm {
 public:
  using StarfieldForm::StarfieldForm;
  std::function<void(QWidget*)> atFirstPaint;

 protected:
  void Form_Load() override {
    StarfieldForm::Form_Load();
    Window()->installEventFilter(&filter_);
    filter_.form = this;
    filter_.fired = false;
  }

 private:
  struct FirstPaint : QObject {
    InputAtFirstPaint* form = nullptr;
    bool fired = false;
    bool eventFilter(QObject* watched, QEvent* event) override {
      if (event->type() == QEvent::Paint && !fired) {
        fired = true;
        form->atFirstPaint(static_cast<QWidget*>(watched));
      }
      return false;
    }
  } filter_;
};

void PostKey(QWidget* window) {
  QCoreApplication::postEvent(window,
                              new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a"));
}

void PostMove(QWidget* window, QPointF at) {
  QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseMove, at, at, Qt::NoButton,
                                                      Qt::NoButton, Qt::NoModifier));
}

class DisplayWindowTest : public ::testing::Test {
 protected:
  DisplayWindowTest() : form(settings, clock, random, sound, media), display(app, form, clock) {
    ::setenv("XDG_RUNTIME_DIR", dir.Path().c_str(), 1);
    modMain::SetDefaultSettings(settings);
    settings.TargetPractice = false;
    settings.Sound = false;
    settings.PicCount = 3;
    settings.StarCount = 5;
    clock.Set(5000);
  }

  TempDir dir;
  modMain::SettingsRecord settings;
  ManualClock clock;
  DeterministicRandom random;
  RecordingSound sound;
  EmbeddedMedia media;
  frmStarfield3 form;
  StarfieldProbe probe{form};
  Application app;
  InputAtFirstPaint display;
};

}  // namespace

TEST_F(DisplayWindowTest, AKeyBeforeActivationClosesTheWindowAfterIt) {
  display.atFirstPaint = [](QWidget* window) { PostKey(window); };
  display.Show(true);  // returns once the key has closed it
  EXPECT_FALSE(display.IsLoaded());
  EXPECT_EQ(probe.Schedule().NextFrameTime,
            5000 + kFramePeriodMs);   // activation ran to its end first
  QCoreApplication::processEvents();  // the closed window's queued work finds nothing to do
}

TEST_F(DisplayWindowTest, AMoveBeforeActivationIsMeasuredFromNoPosition) {
  display.atFirstPaint = [](QWidget* window) {
    PostMove(window, {10, 10});
    PostKey(window);
  };
  display.Show(true);
  ASSERT_EQ(probe.View().LastMouseX, 10);  // the first showing remembered a position

  // Second showing: a far move in the gap only records, it does not close against (10, 10).
  display.atFirstPaint = [](QWidget* window) {
    PostMove(window, {300, 200});
    QTimer::singleShot(50, window, [window] { PostKey(window); });
  };
  display.Show(true);
  EXPECT_EQ(probe.View().LastMouseX, 300);
  EXPECT_EQ(probe.View().LastMouseY, 200);
}

// A form whose load handler fails.
class BrokenForm : public Form {
 public:
  explicit BrokenForm(Application& app) : Form(app, "Skorvane!") {}

 protected:
  std::unique_ptr<QWidget> CreateWindow() override { return std::make_unique<QWidget>(); }
  void Form_Load() override { throw RuntimeError("no pictures\nin this build"); }
};

TEST(FormLoad, AFailedLoadEndsTheProgramWithOnePlainLine) {
  Application app;
  EXPECT_EXIT(BrokenForm(app).Load(), ::testing::ExitedWithCode(1),
              "^skorvane: the window \"Skorvane!\" could not be opened \\(no pictures in this "
              "build\\)\\.\n$");
}

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
