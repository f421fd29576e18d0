// The program's entry point: wires the platform and the three windows into start-up.
#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "app/linux/Options.h"
#include "app/linux/WindowSystem.h"
#include "config/frmPreview.h"
#include "config/frmSetup.h"
#include "display/frmStarfield3.h"
#include "media/MediaTable.h"
#include "platform/core/FrameLog.h"
#include "platform/desktop/App.h"
#include "platform/desktop/HostedWindow.h"
#include "platform/desktop/LayerShellForm.h"
#include "platform/desktop/StarfieldForm.h"
#include "platform/desktop/TerminationSignals.h"
#include "platform/posix/InstanceMarkers.h"
#include "platform/posix/SettingsFile.h"
#include "platform/sound/SdlSoundPlayer.h"
#include "platform/wayland/WaylandClient.h"
#include "startup/Settings.h"
#include "startup/modMain.h"

namespace {

struct Services {
  explicit Services(bool reportRate)
      : frameLog(clock, EnvironmentText("SKORVANE_FRAME_LOG"), reportRate) {}

  static std::string EnvironmentText(const char* name) {
    const char* text = std::getenv(name);
    return text ? text : "";
  }

  SteadyClock clock;
  XorShiftRandom random;
  // The sound device is closed a second after the last sound, by the event loop's timers.
  SdlSoundPlayer sound{
      [](int ms, std::function<void()> then) { QTimer::singleShot(ms, qApp, std::move(then)); }};
  SettingsFile store{SettingsFile::PathFor(modMain::kApplication)};
  EmbeddedMedia media;
  MarkerChecks instances;
  FrameLog frameLog;  // SKORVANE_FRAME_LOG and --fps
};

// Frontend mode: the live display in a window the frontend owns. The frontend owns the input
// too, so the mouse never fires, and it may run a copy per monitor, so none is refused.
int RunHosted(Services& services, const RunOptions& options) {
  modMain::SettingsRecord& settings = modMain::Settings();
  modMain::LoadSettings(settings, services.store, std::cerr);
  ApplyOptions(options, settings);
  settings.TargetPractice = false;
  settings.Sound = options.Given("Sound").value_or(0) != 0;  // silent unless asked
  modMain::ClampSceneCounts(settings);

  frmStarfield3 starfield(settings, services.clock, services.random, services.sound,
                          services.media);
  HostedWindow::Made made =
      HostedWindow::Create(starfield, services.clock, options.windowId, &services.frameLog);
  if (!made.window) {
    std::cerr << "skorvane: " << made.error << ".\n";
    return 1;
  }
  starfield.Attach(made.window.get());
  made.window->Start();
  return QApplication::exec();
}

// The three switches, as the screensaver machinery of the desktop gives them.
// `wayland`, when given, shows the display on layer surfaces.
int RunSwitches(Services& services, const RunOptions& options, WaylandClient* wayland) {
  frmStarfield3 starfield(modMain::Settings(), services.clock, services.random, services.sound,
                          services.media);  // lives as long as we do
  Application app;
  auto sceneForScreen = [&services] {
    return std::make_unique<frmStarfield3>(modMain::Settings(), services.clock, services.random,
                                           services.sound, services.media);
  };
  std::unique_ptr<Form> display;
  if (wayland) {
    display = std::make_unique<LayerShellForm>(app, *wayland, starfield, services.clock,
                                               sceneForScreen, &services.frameLog);
  } else {
    display = std::make_unique<StarfieldForm>(app, starfield, services.clock, sceneForScreen,
                                              &services.frameLog);
  }
  frmSetup setup(app, modMain::Settings(), services.store, *display);
  frmPreview preview(app);

  modMain::StartupActions actions;
  actions.FindWindow = [&](const std::string& caption) {
    return services.instances.WindowWithCaptionExists(caption);
  };
  actions.PrevInstance = [&] { return services.instances.PrevInstance(); };
  actions.EndNow = [] { App::EndNow(0); };
  actions.LoadSettings = [&] {
    modMain::LoadSettings(modMain::Settings(), services.store, std::cerr);
  };
  actions.OpenDisplayWindow = [&] {
    // Options steer this run of the display; the setup dialog edits what is stored.
    ApplyOptions(options, modMain::Settings());
    modMain::ClampSceneCounts(modMain::Settings());
    display->Show();
  };
  actions.OpenSetupDialog = [&] { setup.Show(); };
  actions.OpenPreviewWindow = [&](int32_t parent) { preview.ShowIn(parent); };

  modMain::Main(options.switches, actions);
  if (app.LoadedForms() == 0) return 0;
  return QApplication::exec();
}

// With no session bus (a bare X session, a locker), the toolkit's accessibility bridge and
// platform theme would have libdbus start one of its own (dbus-launch and a dbus-daemon),
// which outlive us when a locker kills our process group. We start no helper process: an
// address that names no bus makes every such attempt fail at once.
void StartNoSessionBus() {
  const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (!address || !*address) ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ParsedCommandLine parsed = ParseCommandLine(args, std::getenv("XSCREENSAVER_WINDOW"));
  if (parsed.outcome == ParsedCommandLine::Outcome::Exit) {
    std::cout << parsed.output;
    std::cerr << parsed.error;
    return parsed.exitCode;
  }

  const bool hosted = parsed.options.frontend == RunOptions::Frontend::Window;
  if (!hosted && !modMain::ChoosesAMode(parsed.options.switches)) return 0;  // no display needed
  if (const auto unable = ChooseWindowSystem(parsed.options)) {
    std::cerr << "skorvane: " << *unable << ".\n";
    return 1;
  }

  const std::unique_ptr<WaylandClient> wayland = LayerShellConnection(parsed.options);

  if (!instance_markers::RegisterThisProcess()) {
    std::cerr << "skorvane: there is no private folder for the running-copy markers, so every "
                 "other copy is taken to be running.\n";
  }
  // The toolkit sees only our name: its own options (-display, -reverse, -style, ...) must
  // never be taken from the command line before the mode is chosen from it.
  StartNoSessionBus();
  int toolkitArgc = 1;
  char* toolkitArgv[] = {argv[0], nullptr};
  QApplication app(toolkitArgc, toolkitArgv);
  QApplication::setApplicationName(media::kProductName);
  QApplication::setApplicationVersion(media::kProductVersion);
  QApplication::setOrganizationName(media::kCompanyName);
  App::SetIcon(media::IconFile());
  EndOnTerminationSignals();

  Services services(parsed.options.fps);
  if (hosted) return RunHosted(services, parsed.options);
  return RunSwitches(services, parsed.options, wayland.get());
}
