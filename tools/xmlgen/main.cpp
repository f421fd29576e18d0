// Writes the frontends' settings file (skorvane.xml) from the settings table, so that its
// sliders offer the ranges and defaults that the program itself uses.
//   skorvane-xmlgen OUTPUT
#include <cstdio>
#include <fstream>
#include <string>

#include "startup/Settings.h"
#include "startup/SettingsText.h"

namespace {

using modMain::Entry;

struct Slider {
  const char* key;
  const char* id;
  const char* label;
  const char* low;
  const char* high;
};

// The sliders, in the order the frontend shows them, and their words.
constexpr Slider kCounts[] = {
    {"StarCount", "stars", "Stars", "None", "Many"},
    {"PicCount", "images", "Images", "None", "Many"},
};
constexpr Slider kNumbers[] = {
    {"Speed", "speed", "Acceleration", "Gentle", "Fierce"},
    {"SpinRatio", "spinratio", "Arc ratio", "Tight", "Wide"},
};

// A real bound as the frontend reads it: always with a point ("0.0", "0.25", "5.0").
std::string Real(double value) {
  std::string text = DoubleToText(value);
  return text.find('.') == std::string::npos ? text + ".0" : text;
}

std::string Number(const Slider& slider, bool real) {
  const modMain::SettingEntry& entry = Entry(slider.key);
  const auto bound = [real](double v) { return real ? Real(v) : DoubleToText(v); };
  return std::string("  <number id=\"") + slider.id + "\" type=\"slider\" arg=\"--" + entry.option +
         " %\"\n          _label=\"" + slider.label + "\" _low-label=\"" + slider.low +
         "\" _high-label=\"" + slider.high + "\"\n          low=\"" + bound(entry.least) +
         "\" high=\"" + bound(entry.most) + "\" default=\"" + bound(entry.defaultValue) + "\"/>\n";
}

// The size choices; the stored default needs no option.
std::string SizeChoice() {
  const char* labels[] = {"Large images", "Medium images", "Small images", "Tiny images"};
  const int fallback = int(Entry("PicSelected").defaultValue);
  std::string text = "  <select id=\"size\">\n";
  for (int i = 0; i < int(modMain::kPictureSizeNames.size()); ++i) {
    const std::string name = modMain::kPictureSizeNames[size_t(i)];
    text += "    <option id=\"" + name + "\" _label=\"" + labels[i] + "\"";
    if (i != fallback) text += " arg-set=\"--size " + name + "\"";
    text += "/>\n";
  }
  return text + "  </select>\n";
}

// A check box: set where the default is off, unset where it is on.
std::string Switch(const char* key, const char* id, const char* label) {
  const modMain::SettingEntry& entry = Entry(key);
  const bool on = entry.defaultValue != 0;
  return std::string("  <boolean id=\"") + id + "\" _label=\"" + label + "\" " +
         (on ? "arg-unset=\"--no-" : "arg-set=\"--") + entry.option + "\"/>\n";
}

std::string Document() {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n"
      "<screensaver name=\"skorvane\" _label=\"Skorvane\">\n"
      "  <command arg=\"--root\"/>\n\n";
  for (const Slider& s : kCounts) text += Number(s, false);
  text += SizeChoice();
  for (const Slider& s : kNumbers) text += Number(s, true);
  text += Switch("SpinSwitch", "spinstars", "Spin stars");
  text += Switch("ShowLasers", "lasers", "Show lasers");
  // A frontend's display is silent unless asked, whatever the stored default.
  text += "  <boolean id=\"sound\" _label=\"Sound\" arg-set=\"--sound\"/>\n";
  text += "  <boolean id=\"showfps\" _label=\"Show frame rate\" arg-set=\"--fps\"/>\n";
  text +=
      "\n  <_description>\n"
      "Stars and portraits of Vexlor, a cartoon villain, fly out of the centre of the\n"
      "screen along spirals; two laser beams shoot the portraits down with explosions.\n\n"
      "Run as \"skorvane /c\" for its own setup dialog, and \"skorvane /s\" with the mouse\n"
      "as a gun (target practice).\n"
      "  </_description>\n"
      "</screensaver>\n";
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: skorvane-xmlgen OUTPUT\n");
    return 2;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << Document();
  return out.good() ? 0 : 1;
}
