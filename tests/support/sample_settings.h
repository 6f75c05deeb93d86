#pragma once
// Two fixed sets of regional settings for the text tests, independent of
// the machine's locale.
#include "analysis/regional_settings.h"

namespace chronell::test {

// US style: M/d/yyyy, 12-hour clock, designator after the time.
inline RegionalSettings settingsA()
{
    RegionalSettings s;
    s.shortDatePicture = "M/d/yyyy";
    s.dateSeparator = '/';
    s.timeSeparator = ':';
    s.hoursLeadingZero = false;
    s.clock24 = false;
    s.designatorBefore = false;
    s.amDesignator = "AM";
    s.pmDesignator = "PM";
    s.decimalSeparator = '.';
    s.longTimePicture = "h:mm:ss AMPM";
    return s;
}

// German style: dd.MM.yyyy, 24-hour clock with leading zero, decimal comma.
inline RegionalSettings settingsB()
{
    RegionalSettings s;
    s.shortDatePicture = "dd.MM.yyyy";
    s.dateSeparator = '.';
    s.timeSeparator = ':';
    s.hoursLeadingZero = true;
    s.clock24 = true;
    s.amDesignator = "";
    s.pmDesignator = "";
    s.decimalSeparator = ',';
    s.longTimePicture = "hh:mm:ss";
    return s;
}

} // namespace chronell::test
