#include "startup/modMain.h"

#include <gtest/gtest.h>

#include "platform/core/Numeric.h"

using modMain::ParsePreviewHandle;

namespace {

// Records what start-up did, with the running windows and copies of the test's choosing.
struct FakeDesktop {
  bool displayUp = false;
  bool setupUp = false;
  bool otherCopy = false;
  std::string did;

  modMain::StartupActions Actions() {
    modMain::StartupActions a;
    a.FindWindow = [this](const std::string& caption) {
      return (caption == "Skorvane!" && displayUp) ||
             (caption == "Skorvane! Screensaver Setup" && setupUp);
    };
    a.PrevInstance = [this] { return otherCopy; };
    a.EndNow = [this] { did += "end;"; };
    a.LoadSettings = [this] { did += "load;"; };
    a.OpenDisplayWindow = [this] { did += "display;"; };
    a.OpenSetupDialog = [this] { did += "setup;"; };
    a.OpenPreviewWindow = [this](int32_t parent) {
      did += "preview " + std::to_string(parent) + ";";
    };
    return a;
  }

  std::string Run(const std::string& commandLine) {
    did.clear();
    modMain::Main(commandLine, Actions());
    return did;
  }
};

}  // namespace

TEST(StartupDispatch, TheFirstTwoCharactersChooseTheMode) {
  FakeDesktop desktop;
  for (const char* run : {"", "/s", "/S", "  /s  ", "/screen", "/save", "/sfoo"}) {
    EXPECT_EQ(desktop.Run(run), "load;display;") << '"' << run << '"';
  }
  for (const char* config : {"/c", "/C", "/c:4711", " /c 99"}) {
    EXPECT_EQ(desktop.Run(config), "load;setup;") << config;
  }
  for (const char* nothing : {"/a", "-s", "s", "x", "/", "c"}) {
    EXPECT_EQ(desktop.Run(nothing), "") << nothing;
  }
  EXPECT_EQ(desktop.Run("/p 1234"), "preview 1234;");  // settings are not loaded for a preview
  EXPECT_EQ(desktop.Run("/P:77"), "preview 77;");
  EXPECT_EQ(desktop.Run("/p"), "preview 0;");
}

TEST(StartupDispatch, ASecondCopyEndsAtOnceByTheRulesOfItsMode) {
  FakeDesktop desktop;
  desktop.displayUp = true;
  EXPECT_EQ(desktop.Run("/s"), "end;");
  EXPECT_EQ(desktop.Run("/c"), "load;setup;");

  desktop.displayUp = false;
  desktop.setupUp = true;
  EXPECT_EQ(desktop.Run("/c"), "end;");
  EXPECT_EQ(desktop.Run("/s"), "load;display;");  // a display may start beside a setup dialog

  desktop.setupUp = false;
  desktop.otherCopy = true;
  EXPECT_EQ(desktop.Run("/p 5"), "end;");
}

TEST(StartupDispatch, AnErrorStopsStartUpSilently) {
  FakeDesktop desktop;
  auto actions = desktop.Actions();
  actions.LoadSettings = [] { throw RuntimeError("store unreadable"); };
  modMain::Main("/s", actions);
  EXPECT_EQ(desktop.did, "");
}

TEST(StartupDispatch, AnUnusableHandleStillOpensThePreviewOnItsOwn) {
  FakeDesktop desktop;
  EXPECT_EQ(desktop.Run("/p 99999999999"), "preview 0;");
  EXPECT_EQ(desktop.Run("/p 0x1C00007"), "preview 29360135;");  // hex, as xwininfo prints it
}

TEST(PreviewHandle, TheLongestNumericTailIsTheHandle) {
  EXPECT_EQ(ParsePreviewHandle("/p 1234"), 1234);
  EXPECT_EQ(ParsePreviewHandle("/p:1234"), 1234);
  EXPECT_EQ(ParsePreviewHandle("/p1234"), 1234);
  EXPECT_EQ(ParsePreviewHandle("/p -5"), -5);
  EXPECT_EQ(ParsePreviewHandle("/p 12.5"), 12);
  EXPECT_EQ(ParsePreviewHandle("/p 13.5"), 14);
  EXPECT_EQ(ParsePreviewHandle("/p"), 0);
  EXPECT_EQ(ParsePreviewHandle(""), 0);
  EXPECT_EQ(ParsePreviewHandle("/p 12x"), 0);
  EXPECT_EQ(ParsePreviewHandle("/p 2147483647"), 2147483647);
  EXPECT_EQ(ParsePreviewHandle("/p 2147483648"), 0);
  EXPECT_EQ(ParsePreviewHandle("/p -2147483648"), -2147483648);
  EXPECT_EQ(ParsePreviewHandle("/p 1.2.3"), 2);
  EXPECT_EQ(ParsePreviewHandle("/p - 5"), -5);
  EXPECT_EQ(ParsePreviewHandle("/p ."), 0);
}

TEST(PreviewHandle, NumericTextHasNoExponent) {
  EXPECT_EQ(ParsePreviewHandle("/p 1e3"), 3);
  EXPECT_EQ(ParsePreviewHandle("/p .5e1"), 1);
  EXPECT_EQ(ParsePreviewHandle("/p 2E+1"), 1);
}

TEST(PreviewHandle, HexIdsAsTheXToolsPrintThem) {
  EXPECT_EQ(ParsePreviewHandle("/p 0x1a"), 26);
  EXPECT_EQ(ParsePreviewHandle("/p:0x7FFFFFFF"), 2147483647);
  EXPECT_EQ(ParsePreviewHandle("/p 0xFFFFFFFF"), 0);  // beyond a signed 32-bit handle
  EXPECT_EQ(ParsePreviewHandle("/p 0xg1"), 1);        // not hex: the decimal tail counts
}

TEST(PreviewHandle, AHugeCommandLineIsReadInOnePass) {
  // Rescanning the text once per character would take hours here.
  const std::string text = "/p " + std::string(4'000'000, '7') + "x" + std::string(4'000'000, '1');
  EXPECT_EQ(ParsePreviewHandle(text), 0);  // eight million ones are far past 32 bits
  EXPECT_EQ(ParsePreviewHandle("/p " + std::string(2'000'000, 'q') + "42"), 42);
}
