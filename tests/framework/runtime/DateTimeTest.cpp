#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/runtime/DateTime.h"
#include "framework/runtime/Exception.h"

namespace {

using fw::TDateTime;
using fw::TFormatSettings;

struct Ymd {
  int32_t Y, M, D;
};

Ymd Decode(TDateTime value) {
  Ymd r{};
  fw::DecodeDate(value, r.Y, r.M, r.D);
  return r;
}

TEST(CalendarTest, KnownDayNumbers) {
  EXPECT_EQ(fw::EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(fw::EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(fw::EncodeDate(1900, 3, 1), 61);  // 1900 is no leap year
  EXPECT_EQ(fw::EncodeDate(2000, 1, 1), 36526);
  EXPECT_EQ(fw::EncodeDate(1, 1, 1), fw::MinDateTime);
  EXPECT_EQ(fw::EncodeDate(9999, 12, 31), std::floor(fw::MaxDateTime));
}

TEST(CalendarTest, LeapYearsAndMonthLengths) {
  EXPECT_TRUE(fw::IsLeapYear(2000));
  EXPECT_TRUE(fw::IsLeapYear(2024));
  EXPECT_FALSE(fw::IsLeapYear(1900));
  EXPECT_FALSE(fw::IsLeapYear(2023));
  EXPECT_EQ(fw::DaysInMonth(2024, 2), 29);
  EXPECT_EQ(fw::DaysInMonth(1900, 2), 28);
  EXPECT_EQ(fw::DaysInMonth(2023, 4), 30);
  EXPECT_EQ(fw::DaysInMonth(2023, 12), 31);
  EXPECT_EQ(fw::DaysInMonth(2023, 13), 0);
  EXPECT_EQ(fw::DaysInMonth(2023, 0), 0);
}

TEST(CalendarTest, RoundTripsEveryDayAcrossLeapYearsAndBeforeDayZero) {
  // 1896..1904 spans the non-leap 1900 and negative day numbers; 1999..2001 the leap 2000.
  for (int32_t year : {1896, 1897, 1898, 1899, 1900, 1901, 1904, 1999, 2000, 2001, 1, 9999}) {
    for (int32_t month = 1; month <= 12; ++month) {
      for (int32_t day = 1; day <= fw::DaysInMonth(year, month); ++day) {
        const TDateTime d = fw::EncodeDate(year, month, day);
        const Ymd back = Decode(d);
        ASSERT_EQ(back.Y, year);
        ASSERT_EQ(back.M, month);
        ASSERT_EQ(back.D, day);
      }
    }
  }
}

TEST(CalendarTest, InvalidDatesAreRejected) {
  TDateTime d = 42;
  EXPECT_FALSE(fw::TryEncodeDate(2023, 2, 29, d));
  EXPECT_FALSE(fw::TryEncodeDate(2023, 0, 1, d));
  EXPECT_FALSE(fw::TryEncodeDate(2023, 13, 1, d));
  EXPECT_FALSE(fw::TryEncodeDate(2023, 1, 0, d));
  EXPECT_FALSE(fw::TryEncodeDate(0, 1, 1, d));
  EXPECT_FALSE(fw::TryEncodeDate(10000, 1, 1, d));
  EXPECT_EQ(d, 42);
  try {
    fw::EncodeDate(1900, 2, 29);
    FAIL() << "no exception";
  } catch (const fw::EConvertError& e) {
    EXPECT_EQ(e.Message(), "Invalid argument to date encode");
  }
}

TEST(TimeTest, EncodeAndDecode) {
  EXPECT_EQ(fw::EncodeTime(12, 0, 0, 0), 0.5);
  EXPECT_EQ(fw::EncodeTime(6, 0, 0, 0), 0.25);
  EXPECT_EQ(fw::EncodeTime(24, 0, 0, 0), 1.0);
  int32_t h, n, s, ms;
  fw::DecodeTime(fw::EncodeTime(13, 45, 30, 250), h, n, s, ms);
  EXPECT_EQ(h, 13);
  EXPECT_EQ(n, 45);
  EXPECT_EQ(s, 30);
  EXPECT_EQ(ms, 250);
  EXPECT_THROW(fw::EncodeTime(24, 0, 0, 1), fw::EConvertError);
  EXPECT_THROW(fw::EncodeTime(1, 60, 0, 0), fw::EConvertError);
  EXPECT_THROW(fw::EncodeTime(1, 0, 0, 1000), fw::EConvertError);
  EXPECT_THROW(fw::EncodeTime(-1, 0, 0, 0), fw::EConvertError);
}

TEST(TimeTest, NegativeValuesUseTheAbsoluteFraction) {
  // -1.25: the day before day 0 (29 December 1899), 06:00.
  const Ymd d = Decode(-1.25);
  EXPECT_EQ(d.Y, 1899);
  EXPECT_EQ(d.M, 12);
  EXPECT_EQ(d.D, 29);
  int32_t h, n, s, ms;
  fw::DecodeTime(-1.25, h, n, s, ms);
  EXPECT_EQ(h, 6);
  EXPECT_EQ(n, 0);
  // -0.5 is day 0 at noon, like 0.5.
  EXPECT_EQ(Decode(-0.5).D, 30);
  fw::DecodeTime(-0.5, h, n, s, ms);
  EXPECT_EQ(h, 12);
  const TDateTime composed = fw::ComposeDateTime(fw::EncodeDate(1899, 12, 29), fw::EncodeTime(6, 0, 0, 0));
  EXPECT_EQ(composed, -1.25);
}

TEST(TimeTest, MillisecondRoundingCarriesIntoTheNextDay) {
  const TDateTime almostMidnight = fw::EncodeDate(2000, 2, 28) + 0.99999999999;
  const Ymd d = Decode(almostMidnight);
  EXPECT_EQ(d.D, 29);
  int32_t h, n, s, ms;
  fw::DecodeTime(almostMidnight, h, n, s, ms);
  EXPECT_EQ(h + n + s + ms, 0);
}

TEST(TimeTest, InvalidValuesThrowInsteadOfCrashing) {
  int32_t y, m, d;
  for (double v : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(), 1e300,
                   -1e300, fw::MaxDateTime + 1, fw::MinDateTime - 1}) {
    EXPECT_THROW(fw::DecodeDate(v, y, m, d), fw::EConvertError) << v;
    EXPECT_THROW(fw::DayOfWeek(v), fw::EConvertError) << v;
    EXPECT_THROW(fw::IncMonth(v, 1), fw::EConvertError) << v;
    EXPECT_FALSE(fw::IsValidDateTime(v));
  }
  EXPECT_TRUE(fw::IsValidDateTime(fw::MaxDateTime));
  EXPECT_TRUE(fw::IsValidDateTime(fw::MinDateTime));
}

TEST(IncMonthTest, ClampsTheDayToTheEndOfTheMonth) {
  EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2023, 1, 31), 1), fw::EncodeDate(2023, 2, 28));
  EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2024, 1, 31), 1), fw::EncodeDate(2024, 2, 29));
  EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2024, 3, 31), -1), fw::EncodeDate(2024, 2, 29));
  EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2023, 5, 31), 1), fw::EncodeDate(2023, 6, 30));
  EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2023, 11, 15), 2), fw::EncodeDate(2024, 1, 15));
  EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2023, 1, 15), -13), fw::EncodeDate(2021, 12, 15));
  EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2024, 2, 29), 12), fw::EncodeDate(2025, 2, 28));
  EXPECT_EQ(fw::IncMonth(fw::EncodeDate(2023, 1, 15), 0), fw::EncodeDate(2023, 1, 15));
}

TEST(IncMonthTest, KeepsTheTimeOfDayAlsoBeforeDayZero) {
  const TDateTime noon = fw::EncodeDate(2023, 1, 31) + 0.5;
  EXPECT_EQ(fw::IncMonth(noon, 1), fw::EncodeDate(2023, 2, 28) + 0.5);
  const TDateTime early = fw::ComposeDateTime(fw::EncodeDate(1899, 10, 31), 0.25);
  EXPECT_EQ(fw::IncMonth(early, 1), fw::ComposeDateTime(fw::EncodeDate(1899, 11, 30), 0.25));
}

TEST(IncMonthTest, LeavingTheCalendarRangeThrows) {
  EXPECT_THROW(fw::IncMonth(fw::EncodeDate(9999, 12, 1), 1), fw::EConvertError);
  EXPECT_THROW(fw::IncMonth(fw::EncodeDate(1, 1, 1), -1), fw::EConvertError);
  EXPECT_THROW(fw::IncMonth(fw::EncodeDate(2000, 1, 1), INT32_MAX), fw::EConvertError);
  EXPECT_THROW(fw::IncMonth(fw::EncodeDate(2000, 1, 1), INT32_MIN), fw::EConvertError);
}

TEST(DayOfWeekTest, SundayIsOne) {
  EXPECT_EQ(fw::DayOfWeek(0), 7);                               // 30 December 1899, Saturday
  EXPECT_EQ(fw::DayOfWeek(fw::EncodeDate(2000, 1, 2)), 1);      // Sunday
  EXPECT_EQ(fw::DayOfWeek(fw::EncodeDate(2024, 2, 29) + 0.9), 5);  // Thursday
  EXPECT_EQ(fw::DayOfWeek(-1.25), 6);                           // Friday 29 December 1899
}

TEST(DateOfTimeOfTest, SplitTheValue) {
  EXPECT_EQ(fw::DateOf(36526.75), 36526);
  EXPECT_EQ(fw::TimeOf(36526.75), 0.75);
  EXPECT_EQ(fw::DateOf(-1.25), -1);
  EXPECT_EQ(fw::TimeOf(-1.25), 0.25);
}

class FormatDateTimeTest : public ::testing::Test {
protected:
  TFormatSettings S = TFormatSettings::Invariant();
  // Thursday 29 February 2024, 14:05:09.007
  TDateTime Value = fw::EncodeDate(2024, 2, 29) + fw::EncodeTime(14, 5, 9, 7);
  std::string F(const std::string& format, TDateTime v) { return fw::FormatDateTime(format, v, S); }
  std::string F(const std::string& format) { return F(format, Value); }
};

TEST_F(FormatDateTimeTest, DateTokens) {
  EXPECT_EQ(F("d dd ddd dddd"), "29 29 Thu Thursday");
  EXPECT_EQ(F("m mm mmm mmmm"), "2 02 Feb February");
  EXPECT_EQ(F("yy yyyy"), "24 2024");
  EXPECT_EQ(F("d/m/yyyy", fw::EncodeDate(2003, 4, 5)), "5/4/2003");
  EXPECT_EQ(F("dd.mm.yy", fw::EncodeDate(2003, 4, 5)), "05.04.03");
  EXPECT_EQ(F("DD-MMM-YYYY"), "29-Feb-2024");
  EXPECT_EQ(F("ddddd"), "2/29/2024");
  EXPECT_EQ(F("yyyy yy", fw::EncodeDate(5, 1, 1)), "0005 05");
  EXPECT_EQ(F("d/m/yy", fw::EncodeDate(2005, 12, 31)), "31/12/05");
}

TEST_F(FormatDateTimeTest, TimeTokens) {
  EXPECT_EQ(F("h:n:s.z"), "14:5:9.7");
  EXPECT_EQ(F("hh:nn:ss.zzz"), "14:05:09.007");
  EXPECT_EQ(F("hh:mm"), "14:05");  // m after h is the minute
  EXPECT_EQ(F("h am/pm"), "2 pm");
  EXPECT_EQ(F("h AM/PM"), "2 PM");
  EXPECT_EQ(F("hh a/p"), "02 p");
  EXPECT_EQ(F("h:nn ampm"), "2:05 PM");
  EXPECT_EQ(F("h ampm", fw::EncodeTime(0, 30, 0, 0)), "12 AM");
  EXPECT_EQ(F("t"), "14:05");
  EXPECT_EQ(F("tt"), "14:05:09");
}

TEST_F(FormatDateTimeTest, SeparatorsLiteralsAndC) {
  S.DateSeparator = '-';
  S.TimeSeparator = '.';
  EXPECT_EQ(F("yyyy/mm/dd hh:nn"), "2024-02-29 14.05");
  EXPECT_EQ(F("'at' h \"o'clock\""), "at 14 o'clock");
  S = TFormatSettings::Invariant();
  EXPECT_EQ(F("c"), "2/29/2024 14:05:09");
  EXPECT_EQ(F("c", fw::EncodeDate(2024, 2, 29)), "2/29/2024");  // midnight: no time
  EXPECT_EQ(F(""), "2/29/2024 14:05:09");
  EXPECT_EQ(F("c", -1.25), "12/29/1899 6:00:00");
}

TEST_F(FormatDateTimeTest, SelfReferringFormatsStop) {
  S.ShortDateFormat = "c";
  S.LongTimeFormat = "tt";
  EXPECT_NO_THROW(F("c"));
}

TEST_F(FormatDateTimeTest, InvalidValuesGiveAnEmptyText) {
  EXPECT_EQ(F("c", std::numeric_limits<double>::quiet_NaN()), "");
  EXPECT_EQ(F("c", 1e300), "");
  EXPECT_EQ(F("yyyy", -std::numeric_limits<double>::infinity()), "");
}

}  // namespace
