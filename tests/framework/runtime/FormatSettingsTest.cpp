#include <gtest/gtest.h>

#include "framework/runtime/DateTime.h"
#include "framework/runtime/TFormatSettings.h"

namespace {

using fw::TFormatSettings;

TEST(FormatSettingsTest, LocalePatternsBecomeDateTimeTokens) {
  EXPECT_EQ(TFormatSettings::FromLocalePattern("M/d/yy", false), "m/d/yy");
  EXPECT_EQ(TFormatSettings::FromLocalePattern("dd.MM.yyyy", false), "dd.mm.yyyy");
  EXPECT_EQ(TFormatSettings::FromLocalePattern("d 'de' MMMM", false), "d \"de\" mmmm");
  EXPECT_EQ(TFormatSettings::FromLocalePattern("h:mm AP", true), "h:nn ampm");
  EXPECT_EQ(TFormatSettings::FromLocalePattern("HH:mm:ss t", true), "hh:nn:ss");
  EXPECT_EQ(TFormatSettings::FromLocalePattern("h:mm:ss ap", true), "h:nn:ss ampm");
  EXPECT_EQ(TFormatSettings::FromLocalePattern("'unterminated", false), "\"unterminated\"");
}

TEST(FormatSettingsTest, TranslatedPatternsFormatAsTheLocaleWould) {
  TFormatSettings s = TFormatSettings::Invariant();
  s.LongTimeFormat = TFormatSettings::FromLocalePattern("h:mm:ss AP", true);
  const fw::TDateTime value = fw::EncodeDate(2024, 3, 9) + fw::EncodeTime(15, 7, 2, 0);
  EXPECT_EQ(fw::FormatDateTime("tt", value, s), "3:07:02 PM");
  s.ShortDateFormat = TFormatSettings::FromLocalePattern("dd/MM/yyyy", false);
  EXPECT_EQ(fw::FormatDateTime("ddddd", value, s), "09/03/2024");
}

TEST(FormatSettingsTest, SystemSettingsAreUsable) {
  const TFormatSettings s = TFormatSettings::FromSystemLocale();
  EXPECT_NE(s.DecimalSeparator, s.ThousandSeparator);
  EXPECT_FALSE(s.ShortDateFormat.empty());
  EXPECT_FALSE(s.LongTimeFormat.empty());
  EXPECT_NE(fw::FormatDateTime("c", 45000.5, s), "");
}

}  // namespace
