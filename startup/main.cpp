// The program's entry point: wires the platform and the three windows into start-up.
#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QKeyEvent>
#include <QWidget>
#include <iostream>
#include <memory>

#include "display/StarfieldForm.h"
#include "display/frmStarfield3.h"
#include "media/MediaTable.h"
#include "platform/App.h"
#include "platform/Embed.h"
#include "platform/Form.h"
#include "platform/InstanceMarkers.h"
#include "platform/SdlSoundPlayer.h"
#include "platform/SettingsFile.h"
#include "startup/Settings.h"
#include "startup/modMain.h"

namespace {

// Stand-in window of a mode whose form is still to come: a key or click closes it.
class PlaceholderWindow : public QWidget {
 public:
  explicit PlaceholderWindow(Form* form) : form_(form) {}

 protected:
  void keyPressEvent(QKeyEvent*) override { form_->Unload(); }
  void mousePressEvent(QMouseEvent*) override { form_->Unload(); }

 private:
  Form* form_;
};

class PlaceholderForm : public Form {
 public:
  PlaceholderForm(std::string caption, bool black) : Form(std::move(caption)), black_(black) {}

 protected:
  std::unique_ptr<QWidget> CreateWindow() override {
    auto window = std::make_unique<PlaceholderWindow>(this);
    if (black_) window->setStyleSheet("background: black");
    window->resize(320, 240);
    return window;
  }

 private:
  bool black_;
};

std::string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  instance_markers::RegisterThisProcess();
  QApplication app(argc, argv);
  {
    const media::Bytes icon = media::IconFile();
    QPixmap pixmap;
    pixmap.loadFromData(icon.data(), uint(icon.size()), "ICO");
    app.setWindowIcon(QIcon(pixmap));
  }

  SteadyClock clock;
  XorShiftRandom random;
  SdlSoundPlayer sound;
  frmStarfield3 starfield(modMain::Settings(), clock, random, sound);  // lives as long as we do
  StarfieldForm display(starfield, clock);
  PlaceholderForm setup(modMain::kSetupCaption, false);
  PlaceholderForm preview("Skorvane! Preview", true);

  modMain::StartupActions actions;
  actions.FindWindow = instance_markers::WindowWithCaptionExists;
  actions.PrevInstance = instance_markers::PrevInstance;
  actions.EndNow = [] { App::EndNow(0); };
  actions.LoadSettings = [] {
    SettingsFile store(SettingsFile::PathFor(modMain::kApplication));
    modMain::LoadSettings(modMain::Settings(), store, std::cerr);
  };
  actions.OpenDisplayWindow = [&] {
    modMain::ClampSceneCounts(modMain::Settings());
    display.Show();
  };
  actions.OpenSetupDialog = [&] { setup.Show(); };
  actions.OpenPreviewWindow = [&](int32_t parent) {
    preview.Load();
    SetParent(preview.Window(), parent, [] { App::EndNow(0); });
    preview.Show();
  };

  modMain::Main(CommandLine(argc, argv), actions);
  if (App::LoadedForms() == 0) return 0;
  return app.exec();
}
