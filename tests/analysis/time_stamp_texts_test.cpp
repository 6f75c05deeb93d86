// The worked examples: time stamps of a job through to the texts of its
// start, end and duration, under settings A and B. Days are kept in the hours.
#include <gtest/gtest.h>

#include "analysis/date_time.h"
#include "analysis/date_time_text.h"
#include "analysis/duration.h"
#include "support/sample_settings.h"

namespace chronell {
namespace {

struct WorkedExample {
    const char* startHigh;
    const char* startLow;
    const char* endHigh;
    const char* endLow;
    const char* startA;
    const char* startB;
    const char* endA;
    const char* endB;
    DurationFields fields;
    const char* formatted;
    double seconds;
    const char* floatA;
    const char* floatB;
};

const WorkedExample kExamples[] = {
    {"01C88683", "54B45000", "01C8868C", "000E9C00", "3/15/2008 10:00:00 AM", "15.03.2008 10:00:00",
     "3/15/2008 11:02:03 AM", "15.03.2008 11:02:03", {1, 2, 3, 456}, "01:02:03.456", 3723.456, "3723.456",
     "3723,456"},
    {"01C88683", "54B45000", "01C88759", "11C4AC00", "3/15/2008 10:00:00 AM", "15.03.2008 10:00:00",
     "3/16/2008 11:30:00 AM", "16.03.2008 11:30:00", {25, 30, 0, 0}, "25:30:00.000", 91800, "91800", "91800"},
    {"01C88683", "54B45000", "01C88678", "DA7ECE00", "3/15/2008 10:00:00 AM", "15.03.2008 10:00:00",
     "3/15/2008 8:45:00 AM", "15.03.2008 08:45:00", {1, 15, 0, 0}, "01:15:00.000", 4500, "4500", "4500"},
    {"01C886F8", "AD71D8F0", "01C886F8", "AD9825A0", "3/15/2008 11:59:59 PM", "15.03.2008 23:59:59",
     "3/16/2008", "16.03.2008", {0, 0, 0, 251}, "00:00:00.251", 0.251, "0.251", "0,251"},
    {"01C88683", "54B45000", "01C8874C", "7F1E1000", "3/15/2008 10:00:00 AM", "15.03.2008 10:00:00",
     "3/16/2008 10:00:00 AM", "16.03.2008 10:00:00", {24, 0, 0, 0}, "24:00:00.000", 86400, "86400", "86400"},
};

void PrintTo(const WorkedExample& e, std::ostream* os)
{
    *os << e.startHigh << " " << e.startLow << " to " << e.endHigh << " " << e.endLow;
}

class WorkedExampleTest : public ::testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExampleTest, GivesTheTextsOfStartEndAndDuration)
{
    const WorkedExample& e = GetParam();
    const TDateTime start = TimeStamp2DateTime(e.startHigh, e.startLow);
    const TDateTime end = TimeStamp2DateTime(e.endHigh, e.endLow);

    EXPECT_EQ(dateTimeText(start, test::settingsA()), e.startA);
    EXPECT_EQ(dateTimeText(start, test::settingsB()), e.startB);
    EXPECT_EQ(dateTimeText(end, test::settingsA()), e.endA);
    EXPECT_EQ(dateTimeText(end, test::settingsB()), e.endB);

    const DurationFields fields = durationFieldsOf(end - start);
    EXPECT_EQ(fields.hours, e.fields.hours);
    EXPECT_EQ(fields.minutes, e.fields.minutes);
    EXPECT_EQ(fields.seconds, e.fields.seconds);
    EXPECT_EQ(fields.milliseconds, e.fields.milliseconds);
    EXPECT_EQ(formattedDurationText(fields), e.formatted);

    const double seconds = secondsValue(fields);
    EXPECT_EQ(seconds, e.seconds);
    EXPECT_EQ(durationText(fields, seconds, false, test::settingsA()), e.floatA);
    EXPECT_EQ(durationText(fields, seconds, false, test::settingsB()), e.floatB);
    EXPECT_EQ(durationText(fields, seconds, true, test::settingsB()), e.formatted);
}

INSTANTIATE_TEST_SUITE_P(Table, WorkedExampleTest, ::testing::ValuesIn(kExamples));

} // namespace
} // namespace chronell
