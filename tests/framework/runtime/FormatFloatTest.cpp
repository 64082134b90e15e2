#include <gtest/gtest.h>

#include <cfloat>
#include <limits>

#include "framework/runtime/FormatFloat.h"

namespace {

using fw::TFormatSettings;

std::string Fmt(const char* mask, double value) {
  return fw::FormatFloat(mask, value, TFormatSettings::Invariant());
}

TEST(FormatFloatTest, AxisLabelMask) {
  EXPECT_EQ(Fmt("#,##0.###", 1000), "1,000");
  EXPECT_EQ(Fmt("#,##0.###", -1000), "-1,000");
  EXPECT_EQ(Fmt("#,##0.###", 0.5), "0.5");
  EXPECT_EQ(Fmt("#,##0.###", 12.3456), "12.346");
  EXPECT_EQ(Fmt("#,##0.###", 0), "0");
  EXPECT_EQ(Fmt("#,##0.###", 1234567.8), "1,234,567.8");
  EXPECT_EQ(Fmt("#,##0.###", 999.9996), "1,000");
  EXPECT_EQ(Fmt("#,##0.###", 0.1 + 0.2), "0.3");
  EXPECT_EQ(Fmt("#,##0.###", -0.0001), "0");  // rounds to zero: no minus sign
  EXPECT_EQ(Fmt("#,##0.###", 100), "100");
  EXPECT_EQ(Fmt("#,##0.###", -200), "-200");
}

TEST(FormatFloatTest, LiteralsAndPadding) {
  EXPECT_EQ(Fmt("##0.## %", 50), "50 %");
  EXPECT_EQ(Fmt("0.00", 3.14159), "3.14");
  EXPECT_EQ(Fmt("0.00", 2.675), "2.68");  // decimal digits round half away from zero
  EXPECT_EQ(Fmt("0.00", -2.675), "-2.68");
  EXPECT_EQ(Fmt("0.00", 0.005), "0.01");
  EXPECT_EQ(Fmt("0.00", 0.004), "0.00");
  EXPECT_EQ(Fmt("000", 7), "007");
  EXPECT_EQ(Fmt("#", 0), "");
  EXPECT_EQ(Fmt("#.##", 0.5), ".5");
  EXPECT_EQ(Fmt("0.", 5), "5");
  EXPECT_EQ(Fmt(".00", 12.5), "12.50");
  EXPECT_EQ(Fmt("0", 12345), "12345");
  EXPECT_EQ(Fmt("0", 2.5), "3");
  EXPECT_EQ(Fmt("##-##", 1234), "12-34");
  EXPECT_EQ(Fmt("'#'0\"x\"", 5), "#5x");
  EXPECT_EQ(Fmt("$#,##0.00", 1234.5), "$1,234.50");
  EXPECT_EQ(Fmt("0.0#", 1.5), "1.5");
  EXPECT_EQ(Fmt("0.0#", 1.0), "1.0");
  EXPECT_EQ(Fmt("0.0#", 1.256), "1.26");
}

TEST(FormatFloatTest, Sections) {
  EXPECT_EQ(Fmt("0.0;(0.0);zero", 1.25), "1.3");
  EXPECT_EQ(Fmt("0.0;(0.0);zero", -1.25), "(1.3)");
  EXPECT_EQ(Fmt("0.0;(0.0);zero", 0), "zero");
  EXPECT_EQ(Fmt("0.0;(0.0);zero", 0.01), "zero");  // rounds to zero
  EXPECT_EQ(Fmt("0.0;;zero", -2), "-2.0");          // empty negative section: '-' prepended
  EXPECT_EQ(Fmt("0;'neg'", -3), "neg");
  EXPECT_EQ(Fmt("'a;b' 0", 4), "a;b 4");            // a quoted ';' separates nothing
}

TEST(FormatFloatTest, Scientific) {
  EXPECT_EQ(Fmt("0.00E+00", 12345), "1.23E+04");
  EXPECT_EQ(Fmt("0.00E+00", 0.00012345), "1.23E-04");
  EXPECT_EQ(Fmt("0.00E-00", 12345), "1.23E04");
  EXPECT_EQ(Fmt("0.00e-0", 0.00012345), "1.23e-4");
  EXPECT_EQ(Fmt("0.0E+0", 9.96), "1.0E+1");
  EXPECT_EQ(Fmt("0.0E+0", 0), "0.0E+0");
  EXPECT_EQ(Fmt("0.###E+000 'u'", 1e300), "1E+300 u");
  EXPECT_EQ(Fmt("00.0E+0", 12345), "12.3E+3");
}

TEST(FormatFloatTest, SeparatorsFromTheSettings) {
  TFormatSettings german = TFormatSettings::Invariant();
  german.DecimalSeparator = ',';
  german.ThousandSeparator = '.';
  EXPECT_EQ(fw::FormatFloat("#,##0.###", 1234.5, german), "1.234,5");
}

TEST(FormatFloatTest, HugeAndSpecialValuesNeverOverflow) {
  EXPECT_EQ(Fmt("#,##0.###", 1e17), "100,000,000,000,000,000");  // 18 integer digits: still fixed
  EXPECT_EQ(Fmt("#,##0.###", 1e18), "1E18");
  EXPECT_EQ(Fmt("#,##0.###", 1e308), "1E308");
  EXPECT_EQ(Fmt("#,##0.###", -DBL_MAX), "-1.79769313486232E308");
  EXPECT_EQ(Fmt("0.00", DBL_MIN), "0.00");
  EXPECT_EQ(Fmt("0.000", 1e-320), "0.000");
  EXPECT_EQ(Fmt("#,##0.###", std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(Fmt("#,##0.###", std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(Fmt("#,##0.###", -std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(Fmt("", 0.5), "0.5");
}

TEST(FormatFloatTest, ManyPlaceholdersStayBounded) {
  const std::string mask = "0." + std::string(400, '0');
  const std::string text = fw::FormatFloat(mask, 1.0 / 3, TFormatSettings::Invariant());
  ASSERT_EQ(text.size(), 402u);
  EXPECT_EQ(text.substr(0, 17), "0.333333333333333");
  EXPECT_EQ(text.back(), '0');
}

}  // namespace
