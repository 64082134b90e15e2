#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "framework/runtime/Conversions.h"
#include "framework/runtime/Exception.h"

namespace {

using fw::TFormatSettings;

struct ParseCase {
  const char* Text;
  bool Accepted;
  double Value;
};

TEST(TryStrToFloatTest, AcceptsAndRejectsByTheDecimalGrammar) {
  const ParseCase cases[] = {
      {"100", true, 100},      {"2000", true, 2000},     {"99.9", true, 99.9},
      {" 500", true, 500},     {"   -.5", true, -0.5},   {"1e-1", true, 0.1},
      {".", true, 0},          {"-.5", true, -0.5},      {"+7", true, 7},
      {"5.", true, 5},         {".25", true, 0.25},      {"1E+2", true, 100},
      {"2000.0001", true, 2000.0001},                    {"0.999", true, 0.999},
      {"500 ", false, 0},      {"", false, 0},           {"  ", false, 0},
      {"+", false, 0},         {"-", false, 0},          {"5,0", false, 0},
      {"1e", false, 0},        {"1e+", false, 0},        {"0x10", false, 0},
      {"1.5.2", false, 0},     {"\t5", false, 0},        {"e5", false, 0},
      {"inf", false, 0},       {"nan", false, 0},        {"--5", false, 0},
       {"1e400", false, 0},     {"1e5000", false, 0},
  };
  for (const ParseCase& c : cases) {
    double value = -123;
    EXPECT_EQ(fw::TryStrToFloat(c.Text, value), c.Accepted) << '"' << c.Text << '"';
    if (c.Accepted) {
      EXPECT_EQ(value, c.Value) << '"' << c.Text << '"';
    } else {
      EXPECT_EQ(value, -123) << "a failed parse must leave the value alone: " << c.Text;
    }
  }
}

TEST(TryStrToFloatTest, EmbeddedNulIsNotTheEnd) {
  double value = 0;
  EXPECT_FALSE(fw::TryStrToFloat(std::string("5\0", 2), value));
}

TEST(TryStrToFloatTest, ReadsExtendedPrecisionThenRoundsToDouble) {
  long double extended = 0;
  ASSERT_TRUE(fw::TryStrToFloat("0.1", extended));
  EXPECT_EQ(extended, 0.1L);
  double value = 0;
  ASSERT_TRUE(fw::TryStrToFloat("0.999", value));
  EXPECT_EQ(value, 0.999);
  // Below the double range the value underflows to zero rather than failing.
  ASSERT_TRUE(fw::TryStrToFloat("1e-400", value));
  EXPECT_EQ(value, 0.0);
  ASSERT_TRUE(fw::TryStrToFloat("1.7976931348623157e308", value));
  EXPECT_EQ(value, DBL_MAX);
  // A very long text is read in full.
  ASSERT_TRUE(fw::TryStrToFloat("0." + std::string(5000, '0') + "1e5001", value));
  EXPECT_DOUBLE_EQ(value, 1.0);
}

TEST(StrToFloatTest, ThrowsConvertErrorNamingTheText) {
  EXPECT_EQ(fw::StrToFloat("12.5"), 12.5);
  try {
    fw::StrToFloat("5,0");
    FAIL() << "no exception";
  } catch (const fw::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'5,0' is not a valid floating point value");
  }
}

TEST(StrToIntTest, ParsesDecimalAndHexWithinThirtyTwoBits) {
  EXPECT_EQ(fw::StrToInt("0"), 0);
  EXPECT_EQ(fw::StrToInt("  42"), 42);
  EXPECT_EQ(fw::StrToInt("-17"), -17);
  EXPECT_EQ(fw::StrToInt("+17"), 17);
  EXPECT_EQ(fw::StrToInt("2147483647"), INT32_MAX);
  EXPECT_EQ(fw::StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(fw::StrToInt("$FF"), 255);
  EXPECT_EQ(fw::StrToInt("0x10"), 16);
  EXPECT_EQ(fw::StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(fw::StrToInt("$80000005"), static_cast<int32_t>(0x80000005u));
  int32_t value = 99;
  for (const char* bad : {"", " ", "-", "$", "0x", "2147483648", "-2147483649", "$100000000", "1.5", "12 ",
                          "1e3", "abc", "99999999999999999999999"}) {
    EXPECT_FALSE(fw::TryStrToInt(bad, value)) << bad;
    EXPECT_EQ(value, 99) << bad;
  }
}

TEST(StrToIntTest, ThrowsConvertErrorNamingTheText) {
  try {
    fw::StrToInt("1x");
    FAIL() << "no exception";
  } catch (const fw::EConvertError& e) {
    EXPECT_EQ(e.Message(), "'1x' is not a valid integer value");
  }
  EXPECT_THROW(fw::StrToInt(""), fw::EConvertError);
}

TEST(IntToStrTest, WritesPlainDecimal) {
  EXPECT_EQ(fw::IntToStr(0), "0");
  EXPECT_EQ(fw::IntToStr(-1234567), "-1234567");
  EXPECT_EQ(fw::IntToStr(INT64_MIN), "-9223372036854775808");
}

TEST(FloatToStrTest, GeneralFormatWithFifteenDigits) {
  const TFormatSettings s = TFormatSettings::Invariant();
  EXPECT_EQ(fw::FloatToStr(0.5, s), "0.5");
  EXPECT_EQ(fw::FloatToStr(0.0, s), "0");
  EXPECT_EQ(fw::FloatToStr(-0.0, s), "0");
  EXPECT_EQ(fw::FloatToStr(7 * 0.01, s), "0.07");
  EXPECT_EQ(fw::FloatToStr(0.1 + 0.2, s), "0.3");
  EXPECT_EQ(fw::FloatToStr(56 * 0.01, s), "0.56");
  EXPECT_EQ(fw::FloatToStr(500, s), "500");
  EXPECT_EQ(fw::FloatToStr(-1234.5678, s), "-1234.5678");
  EXPECT_EQ(fw::FloatToStr(1.0 / 3, s), "0.333333333333333");
  EXPECT_EQ(fw::FloatToStr(2.0 / 3, s), "0.666666666666667");
  EXPECT_EQ(fw::FloatToStr(123456789012345.0, s), "123456789012345");
  EXPECT_EQ(fw::FloatToStr(999999999999999.4, s), "999999999999999");
}

TEST(FloatToStrTest, SwitchesToExponentOutsideTheFixedRange) {
  const TFormatSettings s = TFormatSettings::Invariant();
  EXPECT_EQ(fw::FloatToStr(1e20, s), "1E20");
  EXPECT_EQ(fw::FloatToStr(1e15, s), "1E15");
  EXPECT_EQ(fw::FloatToStr(1e14, s), "100000000000000");
  EXPECT_EQ(fw::FloatToStr(999999999999999.9, s), "1E15");  // rounding carries into a 16th digit
  EXPECT_EQ(fw::FloatToStr(1.5e-7, s), "1.5E-7");
  EXPECT_EQ(fw::FloatToStr(0.00001, s), "0.00001");
  EXPECT_EQ(fw::FloatToStr(0.000001, s), "1E-6");
  EXPECT_EQ(fw::FloatToStr(-2.5e-300, s), "-2.5E-300");
  EXPECT_EQ(fw::FloatToStr(DBL_MAX, s), "1.79769313486232E308");
  EXPECT_EQ(fw::FloatToStr(4.9e-324, s), "4.94065645841247E-324");
}

TEST(FloatToStrTest, SpecialValuesAndSeparator) {
  EXPECT_EQ(fw::FloatToStr(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(fw::FloatToStr(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(fw::FloatToStr(-std::numeric_limits<double>::infinity()), "-INF");
  TFormatSettings comma = TFormatSettings::Invariant();
  comma.DecimalSeparator = ',';
  EXPECT_EQ(fw::FloatToStr(0.25, comma), "0,25");
  EXPECT_EQ(fw::FloatToStr(1.5e-7, comma), "1,5E-7");
}

TEST(FloatToStrTest, TheGlobalSettingsApply) {
  const TFormatSettings saved = fw::FormatSettings;
  fw::FormatSettings.DecimalSeparator = ',';
  EXPECT_EQ(fw::FloatToStr(0.5), "0,5");
  fw::FormatSettings.DecimalSeparator = '.';
  EXPECT_EQ(fw::FloatToStr(0.5), "0.5");
  fw::FormatSettings = saved;
}

TEST(FloatToStrTest, RoundTripsThroughTheParser) {
  for (double v : {0.01, 0.5, 0.999, 123.456, 1e-5, 2000.0, 0.07}) {
    double back = 0;
    ASSERT_TRUE(fw::TryStrToFloat(fw::FloatToStr(v, TFormatSettings::Invariant()), back)) << v;
    EXPECT_EQ(back, v);
  }
}

}  // namespace
