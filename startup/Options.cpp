#include "startup/Options.h"

#include <QCommandLineParser>
#include <QStringList>
#include <cmath>

#include "media/VersionBlock.h"

namespace {

// An option of ours: its name, the name of its value ("" for a switch) and its help.
struct OptionSpec {
  const char* name;
  const char* value;
  const char* help;
};

const OptionSpec kOptions[] = {
    {"root", "", "draw into the window in $XSCREENSAVER_WINDOW, or the root window"},
    {"window-id", "ID", "draw into the X window ID (hex 0x... or decimal)"},
    {"stars", "N", "number of stars, 0 to 400"},
    {"images", "N", "number of target images, 0 to 100"},
    {"size", "SIZE", "image size: large, medium, small or tiny"},
    {"speed", "X", "acceleration, 0 to 10"},
    {"spin-ratio", "X", "arc ratio of the spin, 0.25 to 5"},
    {"spin-stars", "", "stars spiral as the images do"},
    {"no-spin-stars", "", "stars fly straight"},
    {"target-practice", "", "the mouse fires the lasers"},
    {"no-target-practice", "", "the mouse ends the screensaver"},
    {"lasers", "", "show the laser beams"},
    {"no-lasers", "", "hide the laser beams"},
    {"sound", "", "play the sound effects"},
    {"no-sound", "", "no sound"},
    {"fps", "", "report the frame rate and the load once a second on stderr"},
    {"help", "", "show this help and exit"},
    {"version", "", "show the version and exit"},
};

constexpr const char* kUsageHead =
    "Usage: skorvane [/s | /c | /p ID] [options]\n"
    "A starfield screensaver.\n\n"
    "  /s               run the screensaver full screen (also with no switch)\n"
    "  /c               open the setup dialog\n"
    "  /p ID            a still preview inside the X window ID\n\n"
    "Options (they override the stored settings for this run only):\n";

std::string Usage() {
  std::string text = kUsageHead;
  for (const OptionSpec& o : kOptions) {
    std::string left = std::string("  --") + o.name + (*o.value ? std::string(" ") + o.value : "");
    left.resize(std::max<size_t>(left.size() + 1, 24), ' ');
    text += left + o.help + "\n";
  }
  return text;
}

bool TakesValue(const std::string& name) {
  for (const OptionSpec& o : kOptions) {
    if (name == o.name) return *o.value != 0;
  }
  return false;
}

// "0x1c00007" or "29360135" as a window id; nullopt for anything else.
std::optional<uint32_t> WindowId(const QString& text) {
  bool ok = false;
  const QString t = text.trimmed();
  const qulonglong id = t.startsWith("0x", Qt::CaseInsensitive) ? t.mid(2).toULongLong(&ok, 16)
                                                                : t.toULongLong(&ok, 10);
  if (!ok || id > 0xFFFFFFFFull) return std::nullopt;
  return uint32_t(id);
}

ParsedCommandLine Fail(const std::string& message) {
  ParsedCommandLine result;
  result.outcome = ParsedCommandLine::Outcome::Exit;
  result.exitCode = 2;
  result.error = "skorvane: " + message + "\n";
  return result;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args,
                                   const char* screensaverWindow) {
  // Split the options from the switches: the parser sees only what is ours.
  QStringList ours{"skorvane"};
  std::string switches;
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

  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  for (const OptionSpec& o : kOptions) {
    parser.addOption(QCommandLineOption(o.name, o.help, o.value));
  }
  if (!parser.parse(ours)) return Fail(parser.errorText().toStdString());

  ParsedCommandLine result;
  if (parser.isSet("help") || parser.isSet("version")) {
    result.outcome = ParsedCommandLine::Outcome::Exit;
    result.output = parser.isSet("help") ? Usage() : media::kVersionText;
    return result;
  }

  RunOptions& o = result.options;
  o.switches = switches;
  if (parser.isSet("window-id")) {
    const auto id = WindowId(parser.value("window-id"));
    if (!id || *id == 0) return Fail("--window-id takes an X window id, hex (0x...) or decimal");
    o.frontend = RunOptions::Frontend::Window;
    o.windowId = *id;
  } else if (parser.isSet("root")) {
    o.frontend = RunOptions::Frontend::Window;
    if (screensaverWindow && *screensaverWindow) {
      const auto id = WindowId(screensaverWindow);
      if (!id) return Fail("XSCREENSAVER_WINDOW does not hold a window id");
      o.windowId = *id;
    }
  }

  const auto count = [&](const char* name, int most, std::optional<int16_t>& into) {
    if (!parser.isSet(name)) return true;
    bool ok = false;
    const int n = parser.value(name).trimmed().toInt(&ok);
    if (!ok || n < 0 || n > most) return false;
    into = int16_t(n);
    return true;
  };
  const auto real = [&](const char* name, double least, double most, std::optional<double>& into) {
    if (!parser.isSet(name)) return true;
    bool ok = false;
    const double x = parser.value(name).trimmed().toDouble(&ok);  // a point, whatever the locale
    if (!ok || !std::isfinite(x) || x < least || x > most) return false;
    into = x;
    return true;
  };
  if (!count("stars", 400, o.stars)) return Fail("--stars takes a whole number from 0 to 400");
  if (!count("images", 100, o.images)) return Fail("--images takes a whole number from 0 to 100");
  if (!real("speed", 0, 10, o.speed)) return Fail("--speed takes a number from 0 to 10");
  if (!real("spin-ratio", 0.25, 5, o.spinRatio))
    return Fail("--spin-ratio takes a number from 0.25 to 5");
  if (parser.isSet("size")) {
    const QStringList sizes{"large", "medium", "small", "tiny"};
    const qsizetype index = sizes.indexOf(parser.value("size").trimmed().toLower());
    if (index < 0) return Fail("--size takes large, medium, small or tiny");
    o.size = int16_t(index);
  }
  const auto flag = [&](const char* on, const char* off, std::optional<bool>& into) {
    if (parser.isSet(on) && parser.isSet(off)) return false;
    if (parser.isSet(on)) into = true;
    if (parser.isSet(off)) into = false;
    return true;
  };
  if (!flag("spin-stars", "no-spin-stars", o.spinStars) ||
      !flag("target-practice", "no-target-practice", o.targetPractice) ||
      !flag("lasers", "no-lasers", o.lasers) || !flag("sound", "no-sound", o.sound))
    return Fail("an option and its --no- form cannot both be given");
  o.fps = parser.isSet("fps");
  return result;
}

void ApplyOptions(const RunOptions& o, modMain::SettingsRecord& s) {
  if (o.stars) s.StarCount = *o.stars;
  if (o.images) s.PicCount = *o.images;
  if (o.size) s.PicSelected = *o.size;
  if (o.speed) s.Speed = *o.speed;
  if (o.spinRatio) s.SpinRatio = *o.spinRatio;
  if (o.spinStars) s.SpinSwitch = *o.spinStars ? 1 : 0;
  if (o.targetPractice) s.TargetPractice = *o.targetPractice;
  if (o.lasers) s.ShowLasers = *o.lasers;
  if (o.sound) s.Sound = *o.sound;
}
