// The program's entry point: wires the platform and the three windows into start-up.
#include <QApplication>
#include <iostream>
#include <memory>

#include "config/frmPreview.h"
#include "config/frmSetup.h"
#include "display/StarfieldForm.h"
#include "display/frmStarfield3.h"
#include "media/MediaTable.h"
#include "platform/App.h"
#include "platform/InstanceMarkers.h"
#include "platform/SdlSoundPlayer.h"
#include "platform/SettingsFile.h"
#include "startup/Settings.h"
#include "startup/modMain.h"

namespace {

std::string CommandLine(int argc, char** argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  instance_markers::RegisterThisProcess();
  // The toolkit sees only our name: its own options (-display, -reverse, -style, ...) must
  // never be taken from the command line before the mode is chosen from it.
  int toolkitArgc = 1;
  char* toolkitArgv[] = {argv[0], nullptr};
  QApplication app(toolkitArgc, toolkitArgv);
  QApplication::setApplicationName(media::kProductName);
  QApplication::setApplicationVersion(media::kProductVersion);
  QApplication::setOrganizationName(media::kCompanyName);
  App::SetIcon(media::IconFile());

  SteadyClock clock;
  XorShiftRandom random;
  SdlSoundPlayer sound;
  frmStarfield3 starfield(modMain::Settings(), clock, random, sound);  // lives as long as we do
  StarfieldForm display(starfield, clock);
  SettingsFile store(SettingsFile::PathFor(modMain::kApplication));
  frmSetup setup(modMain::Settings(), store, display);
  frmPreview preview;

  modMain::StartupActions actions;
  actions.FindWindow = instance_markers::WindowWithCaptionExists;
  actions.PrevInstance = instance_markers::PrevInstance;
  actions.EndNow = [] { App::EndNow(0); };
  actions.LoadSettings = [&] { modMain::LoadSettings(modMain::Settings(), store, std::cerr); };
  actions.OpenDisplayWindow = [&] {
    modMain::ClampSceneCounts(modMain::Settings());
    display.Show();
  };
  actions.OpenSetupDialog = [&] { setup.Show(); };
  actions.OpenPreviewWindow = [&](int32_t parent) { preview.ShowIn(parent); };

  modMain::Main(CommandLine(argc, argv), actions);
  if (App::LoadedForms() == 0) return 0;
  return app.exec();
}
