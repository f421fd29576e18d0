// The command line beyond the three switches: the frontend mode that screensaver daemons
// and their settings programs use, and options that override the stored settings for one run.
//
// Options are long options ("--stars 50", "--stars=50"), plus "-root" and "-window-id", the
// spellings the classic daemons pass to their hacks. Everything else is left, in order, for
// the two-character dispatch of the switches, so "/s", "/c:1234" and "-s" keep their meaning.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "startup/Settings.h"

struct RunOptions {
  enum class Frontend { None, Window };
  Frontend frontend = Frontend::None;
  uint32_t windowId = 0;  // Frontend::Window: the window to draw into (0: the root window)

  // The settings given, by key, in the range the table gives (a switch: 1 on, 0 off).
  std::vector<std::pair<std::string, double>> settings;
  std::optional<double> Given(const std::string& key) const;
  bool fps = false;

  std::string switches;  // what is left for the switch dispatch, joined by blanks
};

struct ParsedCommandLine {
  enum class Outcome { Run, Exit };
  Outcome outcome = Outcome::Run;
  int exitCode = 0;    // Outcome::Exit: 0 after --help or --version, 2 after a bad option
  std::string output;  // for stdout
  std::string error;   // for stderr: one line
  RunOptions options;
};

// `args` without the program's name; `screensaverWindow` is $XSCREENSAVER_WINDOW or null.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const char* screensaverWindow);

// The stored settings, overridden by the options given (the store is never written).
void ApplyOptions(const RunOptions& options, modMain::SettingsRecord& settings);
