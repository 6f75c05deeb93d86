// The picture language and the date-time text.
#include <gtest/gtest.h>

#include "analysis/date_time_text.h"
#include "support/sample_settings.h"

namespace chronell {
namespace {

// A time of Wednesday, 5 March 2008 (39512), or of another day.
TDateTime at(int hour, int minute, int second, int millisecond = 0, double day = 39512)
{
    return day + (hour * 3600000.0 + minute * 60000.0 + second * 1000.0 + millisecond) / 86400000.0;
}

TEST(FormatDateTime, PictureElements)
{
    const std::pair<const char*, const char*> cases[] = {
        {"d", "5"}, {"dd", "05"}, {"ddd", "Wed"}, {"dddd", "Wednesday"}, {"Dd", "05"},
        {"m", "3"}, {"mm", "03"}, {"mmm", "Mar"}, {"mmmm", "March"}, {"MMMMM", "March"},
        {"y", "08"}, {"yy", "08"}, {"yyy", "2008"}, {"yyyy", "2008"},
        {"h", "13"}, {"hhh", "13"}, {"s", "9"}, {"ss", "09"}, {"sss", "09"},
        // m and mm give minutes when the last picture letter was an hour letter.
        {"h:m", "13:4"}, {"hh'x'mm", "13x04"}, {"H mm", "13 04"}, {"h d m", "13 5 3"},
        {"mm:hh", "03:13"}, {"h:mm:mm", "13:04:03"}, {"h mmm", "13 Mar"},
        // 12-hour clock: an AM/PM element earlier, or ahead before any further h.
        {"h AMPM", "1 PM"}, {"AMPM h", "PM 1"}, {"h ampm", "1 PM"}, {"h:mm AM/PM", "1:04 PM"},
        {"h am/pm", "1 pm"}, {"h A/P", "1 P"}, {"h a/p", "1 p"}, {"h 'a' x AMPM", "1 a x PM"},
        {"h an AMPM", "13 an PM"}, {"h h AMPM", "13 1 PM"},
        // Separators, quoted and other text.
        {"d/m/y", "5/3/08"}, {"\"d/m\" d", "d/m 5"}, {"'dd''mm'", "ddmm"}, {"'open d", "open d"},
        {"[d] x-z", "[5] x-z"}, {"gg ee n t", "gg ee n t"},
    };
    RegionalSettings s = test::settingsA();
    for (const auto& [picture, text] : cases) EXPECT_EQ(formatDateTime(picture, at(13, 4, 9, 250), s), text) << picture;

    s.dateSeparator = '-';
    s.timeSeparator = '\0';  // writes nothing
    s.shortMonthNames[2] = "Mrz";
    s.longDayNames[3] = "Mittwoch";
    s.pmDesignator = "nachm.";
    EXPECT_EQ(formatDateTime("d/m/yyyy h:mm mmm dddd AMPM", at(13, 4, 9), s), "5-3-2008 104 Mrz Mittwoch nachm.");
    EXPECT_EQ(formatDateTime("yy yyyy dddd", 2958465.0, s), "99 9999 Friday");
}

TEST(FormatDateTime, LongTextsAndNamesAreWrittenWhole)
{
    RegionalSettings s = test::settingsA();
    const std::string quoted(70, 'q');
    s.longDayNames[3] = std::string(100, 'w');
    for (const std::string& lead : {std::string(), std::string(60, '-')}) {
        EXPECT_EQ(formatDateTime(lead + "'" + quoted + "' dddd dd/mm", at(13, 4, 9), s),
                  lead + quoted + " " + s.longDayNames[3] + " 05/03");
    }
}

TEST(DateTimeText, TwelveHourClock)
{
    const std::tuple<TDateTime, const char*, const char*> cases[] = {
        {at(0, 30, 0), "3/5/2008 12:30:00 AM", "05.03.2008 00:30:00"},
        {at(13, 5, 9), "3/5/2008 1:05:09 PM", "05.03.2008 13:05:09"},
        {at(12, 0, 0), "3/5/2008 12:00:00 PM", "05.03.2008 12:00:00"},
        {at(11, 59, 59), "3/5/2008 11:59:59 AM", "05.03.2008 11:59:59"},
    };
    for (const auto& [value, a, b] : cases) {
        EXPECT_EQ(dateTimeText(value, test::settingsA()), a);
        EXPECT_EQ(dateTimeText(value, test::settingsB()), b);
    }
    RegionalSettings before = test::settingsA();
    before.longTimePicture = "AMPM hh:mm:ss";
    EXPECT_EQ(dateTimeText(at(13, 5, 9), before), "3/5/2008 PM 01:05:09");
    EXPECT_EQ(dateTimeText(at(13, 5, 9), RegionalSettings{}), "3/5/08 1:05:09 pm");  // the defaults
}

TEST(DateTimeText, TimeShowsOnlyWithHoursMinutesOrSeconds)
{
    EXPECT_EQ(dateTimeText(at(0, 0, 0, 250), test::settingsA()), "3/5/2008");
    EXPECT_EQ(dateTimeText(at(0, 0, 1), test::settingsA()), "3/5/2008 12:00:01 AM");
    EXPECT_EQ(dateTimeText(at(23, 59, 59, 999), test::settingsB()), "05.03.2008 23:59:59");  // not the next day
}

TEST(DateTimeText, NegativeValuesCountDaysBack)
{
    EXPECT_EQ(dateTimeText(-109205.4375, test::settingsA()), "1/1/1601 10:30:00 AM");
    EXPECT_EQ(dateTimeText(-0.25, test::settingsB()), "30.12.1899 06:00:00");
    EXPECT_EQ(formatDateTime("dddd yy", -109205.4375, test::settingsA()), "Monday 01");
}

TEST(DateTimeTexts, OnePictureReadServesEveryValue)
{
    // Morning and afternoon, midnight and other days in turn: nothing of one
    // value's text carries over to the next.
    const TDateTime values[] = {at(13, 4, 9), at(0, 0, 0), at(9, 5, 0), at(12, 0, 1), -0.25, at(0, 0, 0, 0, 2958465)};
    RegionalSettings written = test::settingsA();
    written.shortDatePicture = "dddd d mmmm 'at'";
    written.longTimePicture = "hh 'h' mm a/p";
    for (const RegionalSettings& settings : {test::settingsA(), test::settingsB(), written}) {
        const DateTimeTexts texts(settings);
        std::string all;
        std::string expected;
        for (const TDateTime value : values) {
            texts.append(all, value);
            expected += dateTimeText(value, settings) + '|';
            all += '|';
        }
        EXPECT_EQ(all, expected);
    }
    EXPECT_EQ(dateTimeText(at(13, 4, 9), written), "Wednesday 5 March at 01 h 04 p");
}

} // namespace
} // namespace chronell
