// Time stamps to date-time values and back to calendar fields.
#include <gtest/gtest.h>

#include "platform/chronell_error.h"
#include "analysis/date_time.h"
#include "analysis/date_time_text.h"
#include "support/sample_settings.h"

namespace chronell {
namespace {

std::string errorOf(const char* high, const char* low)
{
    try {
        TimeStamp2DateTime(high, low);
    } catch (const ChronellError& e) {
        return e.what();
    }
    return "(no error)";
}

auto fieldsOf(TDateTime value)
{
    const DecodedDateTime t = decodeDateTime(value);
    return std::make_tuple(t.year, t.month, t.day, t.dayOfWeek, t.hour, t.minute, t.second, t.millisecond);
}

TEST(TimeStamp2DateTime, WordsReadAsUnsignedHexadecimalHalves)
{
    const TDateTime first = TimeStamp2DateTime("01C88683", "54B45000");
    EXPECT_EQ(first, 39522.416666666664);
    EXPECT_EQ(TimeStamp2DateTime("01c88683", "54b45000"), first);
    EXPECT_EQ(TimeStamp2DateTime("01C88683", "54B4770F"), first);  // below a millisecond: dropped
    // FFFFFFFF ticks are 429.4967295 s after 1 January 1601 (Monday).
    EXPECT_EQ(fieldsOf(TimeStamp2DateTime("0", "FFFFFFFF")), std::make_tuple(1601, 1, 1, 1, 0, 7, 9, 496));
    FileTime short1C8;
    short1C8.dwHighDateTime = 0x1C8;
    EXPECT_EQ(TimeStamp2DateTime("1C8", ""), fileTimeToDateTime(short1C8));
}

TEST(TimeStamp2DateTime, UnreadableHighWordGivesZeroHalf)
{
    const TDateTime value = TimeStamp2DateTime("01C8868G", "54B45000");
    EXPECT_DOUBLE_EQ(value, -109205.00164479167);
    EXPECT_EQ(dateTimeText(value, test::settingsA()), "1/1/1601 12:02:22 AM");
    EXPECT_EQ(dateTimeText(value, test::settingsB()), "01.01.1601 00:02:22");
}

TEST(TimeStamp2DateTime, WordsThatDoNotReadGiveFileTimeZero)
{
    const char* const unreadable[][2] = {{"", ""}, {"-1", "+1"}, {"1 2", " 12"}, {"0x1", "$1"}, {"123456789", "G"}};
    for (const auto& words : unreadable) {
        const TDateTime value = TimeStamp2DateTime(words[0], words[1]);
        EXPECT_EQ(value, -109205.0) << words[0] << " / " << words[1];
        EXPECT_EQ(dateTimeText(value, test::settingsA()), "1/1/1601");
        EXPECT_EQ(dateTimeText(value, test::settingsB()), "01.01.1601");
    }
}

TEST(TimeStamp2DateTime, Year10000AndFileTimesFrom80000000Fail)
{
    EXPECT_EQ(fieldsOf(TimeStamp2DateTime("24C85A5E", "D1C03FFF")), std::make_tuple(9999, 12, 31, 5, 23, 59, 59, 999));
    const char* const failing[][2] = {{"24C85A5E", "D1C04000"}, {"7FFFFFFF", "FFFFFFFF"}, {"80000000", "00000000"},
                                      {"FFFFFFFF", "FFFFFFFF"}};
    for (const auto& words : failing)
        EXPECT_EQ(errorOf(words[0], words[1]), "Invalid argument to date encode") << words[0] << " " << words[1];
}

TEST(FileTimeToDateTime, CountsDaysFrom30December1899)
{
    const struct {
        std::uint64_t ticks;
        double value;
    } cases[] = {
        {109205 * 864000000000ull, 0.0},       // 30 December 1899
        {109266 * 864000000000ull, 61.0},      // 1 March 1900: 1900 has no 29 February
        {145790 * 864000000000ull, 36585.0},   // 29 February 2000
        {109204 * 864000000000ull, -1.0},      // 29 December 1899
        {378000000000ull, -109205.4375},       // 1 January 1601, 10:30: the fraction counts from midnight
    };
    for (const auto& c : cases)
        EXPECT_EQ(fileTimeToDateTime(FileTime{static_cast<std::uint32_t>(c.ticks),
                                             static_cast<std::uint32_t>(c.ticks >> 32)}),
                  c.value)
            << c.ticks;
}

TEST(DecodeDateTime, NegativeValuesCountDaysBackAndRoundToTheMillisecond)
{
    EXPECT_EQ(fieldsOf(-109205.4375), std::make_tuple(1601, 1, 1, 1, 10, 30, 0, 0));
    EXPECT_EQ(fieldsOf(-1.75), std::make_tuple(1899, 12, 29, 5, 18, 0, 0, 0));
    EXPECT_EQ(fieldsOf(36585.75), std::make_tuple(2000, 2, 29, 2, 18, 0, 0, 0));
    EXPECT_EQ(fieldsOf(1.0 - 0.4 / 86400000), std::make_tuple(1899, 12, 31, 0, 0, 0, 0, 0));
    EXPECT_EQ(fieldsOf(1.0 / 2048), std::make_tuple(1899, 12, 30, 6, 0, 0, 42, 188));  // 42187.5 ms: to even
}

} // namespace
} // namespace chronell
