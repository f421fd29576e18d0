// Skorvane!.scr: the program's entry point on Windows. Wires the Win32 layer, the resources,
// the registry and the three windows into start-up, as the system's screen saver page starts
// it: "/s" to run, "/c" or "/c:HWND" to set up, "/p HWND" to preview in that window.
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

#include "display/frmStarfield3.h"
#include "media/MediaSource.h"
#include "platform/core/FrameLog.h"
#include "platform/core/Random.h"
#include "platform/win32/DisplayForm.h"
#include "platform/win32/MessageLoop.h"
#include "platform/win32/PlaySoundPlayer.h"
#include "platform/win32/PreviewWindow.h"
#include "platform/win32/RegistryStore.h"
#include "platform/win32/SetupDialog.h"
#include "platform/win32/SystemClock.h"
#include "platform/win32/WindowChecks.h"
#include "startup/Settings.h"
#include "startup/modMain.h"

#include <objbase.h>

namespace {

// The command line after the program's name, as Windows hands it over whole.
std::string CommandTail() {
  const char* line = GetCommandLineA();
  bool quoted = false;
  for (; *line; ++line) {
    if (*line == '"') quoted = !quoted;
    if (*line == ' ' && !quoted) break;
  }
  while (*line == ' ') ++line;
  return line;
}

std::string EnvironmentText(const char* name) {
  const char* text = std::getenv(name);
  return text ? text : "";
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  CoInitialize(nullptr);  // the picture loader's
  SystemClock clock;
  XorShiftRandom random;
  PlaySoundPlayer sound;
  EmbeddedMedia media;
  RegistryStore store(modMain::kApplication);
  WindowChecks instances;
  FrameLog frameLog(clock, EnvironmentText("SKORVANE_FRAME_LOG"), false);
  MessageLoop loop(clock);

  frmStarfield3 starfield(modMain::Settings(), clock, random, sound, media);
  auto sceneForScreen = [&] {
    return std::make_unique<frmStarfield3>(modMain::Settings(), clock, random, sound, media);
  };
  DisplayForm display(loop, starfield, clock, sceneForScreen, &frameLog);
  SetupDialog setup(loop, modMain::Settings(), store, display);
  PreviewWindow preview(loop);

  bool opened = false;
  modMain::StartupActions actions;
  actions.FindWindow = [&](const std::string& caption) {
    return instances.WindowWithCaptionExists(caption);
  };
  actions.PrevInstance = [&] { return instances.PrevInstance(); };
  actions.EndNow = [] { ExitProcess(0); };
  actions.LoadSettings = [&] {
    // A GUI program has no console: what the loader warns of goes to the debugger's output.
    std::ostringstream warnings;
    modMain::LoadSettings(modMain::Settings(), store, warnings);
    if (!warnings.str().empty()) OutputDebugStringA(warnings.str().c_str());
  };
  actions.OpenDisplayWindow = [&] {
    modMain::ClampSceneCounts(modMain::Settings());
    display.onUnload = [&] { loop.Quit(0); };
    display.Show(false);
    opened = true;
  };
  actions.OpenSetupDialog = [&] {
    setup.Show();
    opened = true;
  };
  actions.OpenPreviewWindow = [&](int32_t parent) {
    preview.ShowIn(parent);
    opened = true;
  };

  modMain::Main(CommandTail(), actions);
  const int status = opened ? loop.Run() : 0;
  CoUninitialize();
  return status;
}
