#include "startup/SettingsText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

TEST(SettingsText, DoublesAreWrittenInTheirShortestForm) {
  EXPECT_EQ(DoubleToText(0.5), "0.5");
  EXPECT_EQ(DoubleToText(1.0), "1");
  EXPECT_EQ(DoubleToText(2.25), "2.25");
  EXPECT_EQ(DoubleToText(0.12), "0.12");
  EXPECT_EQ(DoubleToText(-3.0), "-3");
  EXPECT_EQ(DoubleToText(0.1 + 0.2), "0.3");  // 15 digits at most, so not 0.30000000000000004
  EXPECT_EQ(DoubleToText(10.0), "10");        // whole numbers in plain digits, never "1E+01"
  EXPECT_EQ(DoubleToText(20.0), "20");
  EXPECT_EQ(DoubleToText(100.0), "100");
  EXPECT_EQ(DoubleToText(0.0), "0");
  EXPECT_EQ(DoubleToText(0.01), "0.01");
  EXPECT_EQ(DoubleToText(123456789012345.0), "123456789012345");
  for (double v : {0.5, 1.0, 2.25, 0.38, 4.99, 1234.5678, 1e-7, 10.0, 1e20, 0.25}) {
    EXPECT_EQ(*ParseNumber(DoubleToText(v)), v) << DoubleToText(v);
  }
}

TEST(SettingsText, IntegersRoundHalfToEvenWithinSixteenBits) {
  EXPECT_EQ(*ParseInt16("150.5"), 150);
  EXPECT_EQ(*ParseInt16("151.5"), 152);
  EXPECT_EQ(*ParseInt16("2.5"), 2);
  EXPECT_EQ(*ParseInt16("3.5"), 4);
  EXPECT_EQ(*ParseInt16(" -7 "), -7);
  EXPECT_EQ(*ParseInt16("32767"), 32767);
  EXPECT_EQ(*ParseInt16("-32768"), -32768);
  EXPECT_FALSE(ParseInt16("32768"));
  EXPECT_FALSE(ParseInt16("-32769"));
  EXPECT_FALSE(ParseInt16(""));
  EXPECT_FALSE(ParseInt16("abc"));
  EXPECT_FALSE(ParseInt16("5a"));
  EXPECT_EQ(Int16ToText(-12), "-12");
}

TEST(SettingsText, NumbersUseAPointWhateverTheLocale) {
  EXPECT_EQ(*ParseNumber("0.125"), 0.125);
  EXPECT_EQ(*ParseNumber("  +2 "), 2.0);
  EXPECT_EQ(*ParseNumber(".5"), 0.5);
  EXPECT_FALSE(ParseNumber("0,5"));
  EXPECT_FALSE(ParseNumber("1.2.3"));
  EXPECT_FALSE(ParseNumber("inf"));
  EXPECT_FALSE(ParseNumber("nan"));
  EXPECT_FALSE(ParseNumber("-"));
}

// A German desktop: the C library's decimal separator is a comma.
#ifdef _WIN32
constexpr const char* kCommaLocale = "German_Germany.1252";
#else
constexpr const char* kCommaLocale = "de_DE.UTF-8";
#endif
class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(std::setlocale(LC_ALL, kCommaLocale), nullptr)
        << "the " << kCommaLocale << " locale is missing (tools/install-deps.sh makes it)";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.1f", 0.5);
    ASSERT_STREQ(buffer, "0,5");  // the locale really is in force
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_F(CommaLocale, NumbersAreWrittenAndReadWithAPoint) {
  EXPECT_EQ(DoubleToText(0.5), "0.5");
  EXPECT_EQ(DoubleToText(2.25), "2.25");
  EXPECT_EQ(DoubleToText(10.0), "10");
  EXPECT_EQ(*ParseNumber("0.5"), 0.5);
  EXPECT_EQ(*ParseNumber(DoubleToText(4.99)), 4.99);
  EXPECT_FALSE(ParseNumber("0,5"));
}

TEST(SettingsText, BooleansAreWordsInAnyCaseOrNumbers) {
  EXPECT_EQ(BoolToText(true), "True");
  EXPECT_EQ(BoolToText(false), "False");
  EXPECT_TRUE(*ParseBool("TRUE"));
  EXPECT_FALSE(*ParseBool("false"));
  EXPECT_FALSE(*ParseBool("0"));
  EXPECT_TRUE(*ParseBool("-1"));
  EXPECT_TRUE(*ParseBool("5"));
  EXPECT_FALSE(ParseBool("yes"));
  EXPECT_FALSE(ParseBool(""));
}
