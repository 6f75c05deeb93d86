// Regional settings from locale items: strftime formats to pictures, the
// separators and flags, and the process-wide record filled from the locale.
#include <gtest/gtest.h>

#include "analysis/date_time_text.h"
#include "analysis/regional_settings.h"
#include "platform/locale_items.h"
#include "platform/windows_locale_items.h"
#include "support/host.h"
#include "support/sample_settings.h"
#include "support/test_locales.h"

namespace chronell {
namespace {

RegionalSettings fromFormats(const char* date, const char* time = "", const char* timeAmPm = "", const char* radix = ".")
{
    LocaleItems items;
    items.dateFormat = date;
    items.timeFormat = time;
    items.timeFormatAmPm = timeAmPm;
    items.radixChar = radix;
    return regionalSettingsFromLocaleItems(items);
}

TEST(RegionalSettingsFromLocaleItems, DateFormatsBecomePictures)
{
    const struct {
        const char* format;
        const char* picture;
        char separator;
        const char* text;  // of 5 March 2008
    } cases[] = {
        {"%d.%m.%Y", "dd.MM.yyyy", '.', "05.03.2008"},
        {"%e/%-m/%y", "d/M/yy", '/', "5/3/08"},
        {"%D", "MM/dd/yy", '/', "03/05/08"},
        {"%F", "yyyy-MM-dd", '-', "2008-03-05"},
        {"%A, %b %Od", "dddd, MMM dd", ',', "Wednesday, Mar 05"},
        {"%d de %B", "dd \"de\" MMMM", ' ', "05 de March"},      // letters quoted
        {"%Y\xE5\xB9\xB4%m", "yyyy\xE5\xB9\xB4MM", '/', "2008\xE5\xB9\xB4" "03"},  // multi-byte: '/'
        {"%d%e", "dd\"\"d", '/', "055"},                           // two runs stay two
        {"%d'%m\"%%%j", "dd\"'\"MM'\"'%", '%', "05'03\"%"},      // quotes kept, %j dropped
    };
    for (const auto& c : cases) {
        const RegionalSettings s = fromFormats(c.format);
        EXPECT_EQ(s.shortDatePicture, c.picture) << c.format;
        EXPECT_EQ(s.dateSeparator, c.separator) << c.format;
        EXPECT_EQ(formatDateTime(s.shortDatePicture, 39512.0, s), c.text) << c.format;
    }
}

TEST(RegionalSettingsFromLocaleItems, TimeFormatsGiveClockAndSeparator)
{
    const struct {
        const char* time;
        const char* timeAmPm;
        const char* longTimePicture;
        char separator;
    } cases[] = {
        {"%T", "", "hh:mm:ss", ':'},
        {"%k:%M", "", "h:mm:ss", ':'},
        {"%-H.%M", "", "h:mm:ss", '.'},
        {"%l:%M:%S %p", "%l:%M:%S %p", "h:mm:ss AMPM", ':'},
        {"%r", "%I:%M:%S %p", "hh:mm:ss AMPM", ':'},
        {"%r", "%p %I.%M.%S", "AMPM hh:mm:ss", '.'},
        {"%H\xE6\x99\x82%M", "%p %I", "hh:mm:ss", ':'},  // multi-byte separator: ':'
        {"", "", "h:mm:ss AMPM", ':'},
    };
    for (const auto& c : cases) {
        const RegionalSettings s = fromFormats("%d", c.time, c.timeAmPm);
        EXPECT_EQ(s.longTimePicture, c.longTimePicture) << c.time << " / " << c.timeAmPm;
        EXPECT_EQ(s.timeSeparator, c.separator) << c.time;
    }
}

TEST(RegionalSettingsFromLocaleItems, DecimalSeparatorTakesOneByteOnly)
{
    EXPECT_EQ(fromFormats("%d", "", "", ",").decimalSeparator, ',');
    EXPECT_EQ(fromFormats("%d", "", "", "").decimalSeparator, '\0');
    EXPECT_EQ(fromFormats("%d", "", "", "\xD9\xAB").decimalSeparator, '.');
}

RegionalSettings cRecord()
{
    RegionalSettings s;
    s.shortDatePicture = "MM/dd/yy";
    s.amDesignator = "AM";
    s.pmDesignator = "PM";
    s.hoursLeadingZero = true;
    s.clock24 = true;
    s.longTimePicture = "hh:mm:ss";
    return s;
}

// loadRegionalSettings under a given LC_ALL.
class LoadRegionalSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (kWindowsHost) GTEST_SKIP() << "on Windows the record comes from the locale functions, not LC_ALL";
    }
    static RegionalSettings loadUnder(const char* localeName)
    {
        const test::ScopedEnv all("LC_ALL", localeName);
        return loadRegionalSettings();
    }
};

TEST_F(LoadRegionalSettingsTest, CLocaleGivesItsRecord)
{
    EXPECT_EQ(loadUnder("C"), cRecord());
    EXPECT_EQ(loadUnder("xx_NOWHERE.UTF-8"), RegionalSettings{});  // unknown: the defaults
}

TEST_F(LoadRegionalSettingsTest, GermanLocaleGivesItsRecord)
{
    const test::WithLocale german("de_DE.UTF-8");
    RegionalSettings expected = cRecord();
    expected.shortDatePicture = "dd.MM.yyyy";
    expected.dateSeparator = '.';
    expected.decimalSeparator = ',';
    expected.amDesignator = expected.pmDesignator = "";
    expected.shortMonthNames = {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun", "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    expected.longMonthNames = {"Januar", "Februar", "M\xC3\xA4rz", "April", "Mai", "Juni", "Juli", "August",
                               "September", "Oktober", "November", "Dezember"};
    expected.shortDayNames = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    expected.longDayNames = {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"};
    EXPECT_EQ(loadUnder("de_DE.UTF-8"), expected);
}

TEST_F(LoadRegionalSettingsTest, UsLocaleGivesItsRecord)
{
    const test::WithLocale us("en_US.UTF-8");
    RegionalSettings expected = cRecord();
    expected.shortDatePicture = "MM/dd/yyyy";
    expected.clock24 = false;
    expected.longTimePicture = "hh:mm:ss AMPM";
    const RegionalSettings loaded = loadUnder("en_US.UTF-8");
    EXPECT_EQ(loaded, expected);
    EXPECT_EQ(dateTimeText(39512.5625, loaded), "03/05/2008 01:30:00 PM");
}

} // namespace
} // namespace chronell

namespace chronell {
namespace {

// The items of a locale that gives every one of them.
WindowsLocaleItems windowsItems(const char* decimal, const char* date, const char* time, const char* shortDate,
                                const char* am, const char* pm, const char* leadingZero, const char* clock24,
                                const char* designatorBefore)
{
    WindowsLocaleItems items;
    items.decimalSeparator = decimal;
    items.dateSeparator = date;
    items.timeSeparator = time;
    items.shortDate = shortDate;
    items.amDesignator = am;
    items.pmDesignator = pm;
    items.hoursLeadingZero = leadingZero;
    items.clock24 = clock24;
    items.designatorBefore = designatorBefore;
    return items;
}

TEST(RegionalSettingsFromWindowsItems, GermanAndUsRecords)
{
    EXPECT_EQ(regionalSettingsFromWindowsItems(windowsItems(",", ".", ":", "dd.MM.yyyy", "", "", "1", "1", "0")),
              test::settingsB());
    EXPECT_EQ(regionalSettingsFromWindowsItems(windowsItems(".", "/", ":", "M/d/yyyy", "AM", "PM", "0", "0", "0")),
              test::settingsA());
}

TEST(RegionalSettingsFromWindowsItems, MissingItemsKeepTheirDefaults)
{
    EXPECT_EQ(regionalSettingsFromWindowsItems(WindowsLocaleItems{}), RegionalSettings{});

    WindowsLocaleItems items;
    items.decimalSeparator = "";        // given empty: the NUL separator
    items.dateSeparator = "--";         // longer than one character: the default
    items.clock24 = "x";                // does not read: 0
    items.designatorBefore = "2";       // any number but 0 sets the flag
    items.amDesignator = "";            // an empty text stays empty
    const RegionalSettings s = regionalSettingsFromWindowsItems(items);
    EXPECT_EQ(s.decimalSeparator, '\0');
    EXPECT_EQ(s.dateSeparator, '/');
    EXPECT_FALSE(s.clock24);
    EXPECT_TRUE(s.designatorBefore);
    EXPECT_EQ(s.longTimePicture, "AMPM h:mm:ss");
    EXPECT_EQ(s.amDesignator, "");
    EXPECT_EQ(s.pmDesignator, "pm");
    EXPECT_EQ(s.shortDatePicture, "m/d/yy");
}

TEST(RegionalSettingsFromWindowsItems, DayNamesStartWithSunday)
{
    WindowsLocaleItems items;
    const char* const german[] = {"Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag", "Sonntag"};
    for (std::size_t i = 0; i < 7; ++i) items.longDayNames[i] = german[i];
    items.shortMonthNames[2] = "Mrz";
    const RegionalSettings s = regionalSettingsFromWindowsItems(items);
    EXPECT_EQ(s.longDayNames[0], "Sonntag");
    EXPECT_EQ(s.longDayNames[1], "Montag");
    EXPECT_EQ(s.longDayNames[6], "Samstag");
    EXPECT_EQ(s.shortDayNames[0], "Sun");
    EXPECT_EQ(s.shortMonthNames[2], "Mrz");
    EXPECT_EQ(s.shortMonthNames[3], "Apr");
}

} // namespace
} // namespace chronell
