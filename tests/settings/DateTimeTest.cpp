#include <gtest/gtest.h>

#include <string>

#include "platform/Exception.h"
#include "settings/core/DateTime.h"
#include "settings/core/Settings.h"

namespace lumarc {
namespace {

constexpr int kThisYear = 2026;  // the window examples are worked out for 2026

TDateTime Parse(const std::string& text, int currentYear = kThisYear)
{
    TDateTime result = -1;
    EXPECT_TRUE(TryStrToDate(text, result, currentYear)) << "'" << text << "'";
    return result;
}

bool Valid(const std::string& text)
{
    TDateTime result;
    return TryStrToDate(text, result, kThisYear);
}

TEST(SettingsDateWindow, TwoDigitYearsFallInTheHundredYearsFromFiftyYearsBack)
{
    EXPECT_EQ(Parse("24.12.95"), EncodeDate(1995, 12, 24));
    EXPECT_EQ(Parse("02.05.96"), EncodeDate(1996, 5, 2));
    EXPECT_EQ(Parse("01.01.05"), EncodeDate(2005, 1, 1));
    EXPECT_EQ(Parse("01.01.76"), EncodeDate(1976, 1, 1));   // first year of the window
    EXPECT_EQ(Parse("31.12.75"), EncodeDate(2075, 12, 31)); // last year of the window
    EXPECT_EQ(Parse("01.01.00"), EncodeDate(2000, 1, 1));
    EXPECT_EQ(Parse("01.01.76", 2075), EncodeDate(2076, 1, 1));  // the window moves with the year
    EXPECT_EQ(ExpandTwoDigitYear(1995, kThisYear), 1995);
}

TEST(SettingsDateParse, AcceptedForms)
{
    EXPECT_EQ(Parse("1.1.96"), EncodeDate(1996, 1, 1));
    EXPECT_EQ(Parse("  24 . 12 . 95  "), EncodeDate(1995, 12, 24));
    EXPECT_EQ(Parse("24.12"), EncodeDate(kThisYear, 12, 24));
    EXPECT_EQ(Parse("24.12.1895"), EncodeDate(1895, 12, 24));
    EXPECT_EQ(Parse("31.12.9999"), EncodeDate(9999, 12, 31));
}

TEST(SettingsDateParse, RejectedForms)
{
    for (const std::string text : {"99.99.99", "31.04.96", "00.01.96", "01.00.96", "", "  .  .  ", "24", "24.",
                                   "24.12.", "1.1.96x", "24-12-95", "24.12.95.1", "a.b.c", "24.12.10000"})
        EXPECT_FALSE(Valid(text)) << "'" << text << "'";
}

TEST(SettingsDateParse, LeapDays)
{
    EXPECT_TRUE(Valid("29.02.96"));
    EXPECT_FALSE(Valid("29.02.97"));
    EXPECT_TRUE(Valid("29.02.00"));  // 2000: divisible by 400
    EXPECT_TRUE(Valid("29.02.2000"));
    EXPECT_FALSE(Valid("29.02.1900"));
    EXPECT_FALSE(Valid("29.02.2100"));
}

TEST(SettingsDateParse, StrToDateRaisesWithTheText)
{
    try {
        StrToDate("99.99.99");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "'99.99.99' is not a valid date");
    }
}

TEST(SettingsDateEncode, DayZeroAndKnownValues)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 3, 1), 61.0);
    EXPECT_EQ(EncodeDate(1996, 5, 2), 35187.0);
    EXPECT_EQ(EncodeDate(9999, 12, 31), 2958465.0);
    EXPECT_EQ(EncodeDate(1, 1, 1), -693593.0);
    EXPECT_THROW(EncodeDate(0, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(10000, 1, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2026, 13, 1), EConvertError);
    EXPECT_THROW(EncodeDate(2026, 2, 29), EConvertError);
}

TEST(SettingsDateEncode, EncodeAndDecodeRoundTripEveryDayOfSampleYears)
{
    for (const int year : {1, 4, 1600, 1899, 1900, 1996, 2000, 2024, 2100, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= 31; ++day) {
                TDateTime value;
                if (!TryEncodeDate(year, month, day, value))
                    continue;
                int y, m, d;
                DecodeDate(value, y, m, d);
                ASSERT_EQ(y * 10000 + m * 100 + d, year * 10000 + month * 100 + day) << value;
                DecodeDate(value + 0.99, y, m, d);  // the time of day does not change the day
                ASSERT_EQ(d, day) << value;
            }
        }
    }
}

TEST(SettingsDateFormat, ShortAndIsoTexts)
{
    EXPECT_EQ(DateToStr(EncodeDate(2005, 1, 1)), "01.01.05");
    EXPECT_EQ(DateToStr(EncodeDate(1996, 5, 2)), "02.05.96");
    EXPECT_EQ(DateToIso(EncodeDate(9999, 12, 31)), "9999-12-31");
    EXPECT_EQ(DateToIso(0), "1899-12-30");
    EXPECT_EQ(Parse(DateToStr(EncodeDate(2005, 1, 1))), EncodeDate(2005, 1, 1));
}

TEST(SettingsDateUpdate, SettingTheTextSetsTheDateOrNothing)
{
    const TSettings saved = Settings();
    SetUpdateDateText("24.12.95");
    EXPECT_EQ(Settings().UpdateDateText, "24.12.95");
    EXPECT_EQ(Settings().UpdateDate, StrToDate("24.12.95"));
    EXPECT_THROW(SetUpdateDateText("31.11.95"), EConvertError);
    EXPECT_EQ(Settings().UpdateDateText, "24.12.95");
    EXPECT_EQ(Settings().UpdateDate, StrToDate("24.12.95"));
    Settings() = saved;
}

}  // namespace
}  // namespace lumarc
