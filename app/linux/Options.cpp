#include "app/linux/Options.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cmath>

#include "media/VersionBlock.h"
#include "startup/SettingsText.h"
#include "startup/WindowId.h"

namespace {

using modMain::SettingEntry;
using modMain::SettingKind;

// What each setting's option means, for --help; its range comes from the settings table.
const char* SettingHelp(const SettingEntry& entry) {
  const std::string key = entry.key;
  if (key == "StarCount") return "number of stars";
  if (key == "PicCount") return "number of target images";
  if (key == "PicSelected") return "image size";
  if (key == "Speed") return "acceleration";
  if (key == "SpinRatio") return "arc ratio of the spin";
  if (key == "SpinSwitch") return "stars spiral as the images do";
  if (key == "TargetPractice") return "the mouse fires the lasers";
  if (key == "ShowLasers") return "show the laser beams";
  return "play the sound effects";
}

// The help of a switch's --no- form.
const char* SwitchOffHelp(const SettingEntry& entry) {
  const std::string key = entry.key;
  if (key == "SpinSwitch") return "stars fly straight";
  if (key == "TargetPractice") return "the mouse ends the screensaver";
  if (key == "ShowLasers") return "hide the laser beams";
  return "no sound";
}

std::string Choices() {
  std::string text;
  for (size_t i = 0; i < modMain::kPictureSizeNames.size(); ++i) {
    const bool last = i + 1 == modMain::kPictureSizeNames.size();
    text += (i == 0 ? "" : last ? " or " : ", ") + std::string(modMain::kPictureSizeNames[i]);
  }
  return text;
}

// "0 to 400", "0.25 to 5".
std::string Range(const SettingEntry& entry) {
  return DoubleToText(entry.least) + " to " + DoubleToText(entry.most);
}

// An option of ours: its name, the name of its value ("" for a switch) and its help.
struct OptionEntry {
  std::string name;
  std::string value;
  std::string help;
};

std::vector<OptionEntry> Options() {
  std::vector<OptionEntry> options = {
      {"root", "", "draw into the window in $XSCREENSAVER_WINDOW, or the root window"},
      {"window-id", "ID", "draw into the X window ID (hex 0x... or decimal)"},
  };
  for (const SettingEntry& entry : modMain::kSettingTable) {
    switch (entry.kind) {
      case SettingKind::Count:
        options.push_back(
            {entry.option, "N", std::string(SettingHelp(entry)) + ", " + Range(entry)});
        break;
      case SettingKind::Number:
        options.push_back(
            {entry.option, "X", std::string(SettingHelp(entry)) + ", " + Range(entry)});
        break;
      case SettingKind::Choice:
        options.push_back(
            {entry.option, "SIZE", std::string(SettingHelp(entry)) + ": " + Choices()});
        break;
      case SettingKind::Switch:
        options.push_back({entry.option, "", SettingHelp(entry)});
        options.push_back({std::string("no-") + entry.option, "", SwitchOffHelp(entry)});
        break;
    }
  }
  options.push_back({"fps", "", "report the frame rate and the load once a second on stderr"});
  options.push_back({"help", "", "show this help and exit"});
  options.push_back({"version", "", "show the version and exit"});
  return options;
}

constexpr const char* kUsageHead =
    "Usage: skorvane [/s | /c | /p ID] [options]\n"
    "A starfield screensaver.\n\n"
    "  /s               run the screensaver full screen (also with no switch)\n"
    "  /c               open the setup dialog\n"
    "  /p ID            a still preview inside the X window ID\n\n"
    "Options (they override the stored settings for this run only):\n";

std::string Usage() {
  std::string text = kUsageHead;
  for (const OptionEntry& o : Options()) {
    std::string left = "  --" + o.name + (o.value.empty() ? "" : " " + o.value);
    left.resize(std::max<size_t>(left.size() + 1, 24), ' ');
    text += left + o.help + "\n";
  }
  return text;
}

bool TakesValue(const std::string& name) {
  for (const OptionEntry& o : Options()) {
    if (name == o.name) return !o.value.empty();
  }
  return false;
}

ParsedCommandLine Fail(const std::string& message) {
  ParsedCommandLine result;
  result.outcome = ParsedCommandLine::Outcome::Exit;
  result.exitCode = 2;
  result.error = "skorvane: " + message + "\n";
  return result;
}

// The options go to the parser; everything else is kept, in order, for the switch dispatch.
QStringList SplitOptions(const std::vector<std::string>& args, std::string& switches) {
  QStringList ours{"skorvane"};
  for (size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    if (arg == "-root" || arg == "-window-id") arg = "-" + arg;
    if (arg.rfind("--", 0) != 0 || arg == "--") {
      switches += (switches.empty() ? "" : " ") + arg;
      continue;
    }
    ours << QString::fromStdString(arg);
    const std::string name = arg.substr(2, arg.find('=') - 2);
    if (arg.find('=') == std::string::npos && TakesValue(name) && i + 1 < args.size())
      ours << QString::fromStdString(args[++i]);
  }
  return ours;
}

// The window to draw into, from --window-id or --root; an error text when it is unusable.
std::optional<std::string> TakeFrontend(const QCommandLineParser& parser,
                                        const char* screensaverWindow, RunOptions& o) {
  if (parser.isSet("window-id")) {
    const auto id = ParseWindowId(parser.value("window-id").toStdString());
    if (!id || *id == 0) return "--window-id takes an X window id, hex (0x...) or decimal";
    o.frontend = RunOptions::Frontend::Window;
    o.windowId = *id;
  } else if (parser.isSet("root")) {
    o.frontend = RunOptions::Frontend::Window;
    if (screensaverWindow && *screensaverWindow) {
      const auto id = ParseWindowId(screensaverWindow);
      if (!id) return "XSCREENSAVER_WINDOW does not hold a window id";
      o.windowId = *id;
    }
  }
  return std::nullopt;
}

// The value of one setting's option, when it is given; an error text when it is out of range.
std::optional<std::string> TakeSetting(const QCommandLineParser& parser, const SettingEntry& entry,
                                       RunOptions& o) {
  const QString name = entry.option;
  if (entry.kind == SettingKind::Switch) {
    const bool on = parser.isSet(name), off = parser.isSet("no-" + name);
    if (on && off)
      return "--" + std::string(entry.option) + " and --no-" + entry.option +
             " cannot both be given";
    if (on || off) o.settings.emplace_back(entry.key, on ? 1 : 0);
    return std::nullopt;
  }
  if (!parser.isSet(name)) return std::nullopt;
  const QString text = parser.value(name).trimmed();
  const std::string option = "--" + std::string(entry.option);
  if (entry.kind == SettingKind::Choice) {
    for (size_t i = 0; i < modMain::kPictureSizeNames.size(); ++i) {
      if (text.toLower() == modMain::kPictureSizeNames[i]) {
        o.settings.emplace_back(entry.key, double(i));
        return std::nullopt;
      }
    }
    return option + " takes " + Choices();
  }
  bool ok = false;
  const double x = entry.kind == SettingKind::Count ? double(text.toInt(&ok))
                                                    : text.toDouble(&ok);  // a point, always
  if (!ok || !std::isfinite(x) || x < entry.least || x > entry.most) {
    const char* what = entry.kind == SettingKind::Count ? "a whole number" : "a number";
    return option + " takes " + what + " from " + Range(entry);
  }
  o.settings.emplace_back(entry.key, x);
  return std::nullopt;
}

}  // namespace

std::optional<double> RunOptions::Given(const std::string& key) const {
  for (const auto& [given, value] : settings) {
    if (given == key) return value;
  }
  return std::nullopt;
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const char* screensaverWindow) {
  ParsedCommandLine result;
  RunOptions& o = result.options;
  const QStringList ours = SplitOptions(args, o.switches);

  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const OptionEntry& option : Options()) {
    parser.addOption(QCommandLineOption(QString::fromStdString(option.name),
                                        QString::fromStdString(option.help),
                                        QString::fromStdString(option.value)));
  }
  if (!parser.parse(ours)) return Fail(parser.errorText().toStdString());

  if (parser.isSet("help") || parser.isSet("version")) {
    result.outcome = ParsedCommandLine::Outcome::Exit;
    result.output = parser.isSet("help") ? Usage() : media::kVersionText;
    return result;
  }
  if (const auto error = TakeFrontend(parser, screensaverWindow, o)) return Fail(*error);
  for (const SettingEntry& entry : modMain::kSettingTable) {
    if (const auto error = TakeSetting(parser, entry, o)) return Fail(*error);
  }
  o.fps = parser.isSet("fps");
  return result;
}

void ApplyOptions(const RunOptions& o, modMain::SettingsRecord& s) {
  for (const auto& [key, value] : o.settings) modMain::SetSetting(s, key, value);
}
