// Access keys of one menu level.
#include <gtest/gtest.h>

#include "ui/widgets/access_keys.h"

namespace {

using chronell::withAccessKeys;

TEST(AccessKeys, EachCaptionGetsItsFirstFreeLetterOrDigit)
{
    struct Case {
        QStringList captions;
        QStringList marked;
    };
    const Case cases[] = {
        {{"File", "Help"}, {"&File", "&Help"}},
        {{"Exit"}, {"&Exit"}},
        {{"About", "Latest Version"}, {"&About", "&Latest Version"}},
        {{"Save", "Save as", "Send"}, {"&Save", "S&ave as", "S&end"}},
        {{"open", "Options"}, {"&open", "O&ptions"}},  // compared in upper case
        {{"1st", "1 more"}, {"&1st", "1 &more"}},
        {{"... go", "--"}, {"... &go", "--"}},          // no letter or digit: no key
        {{"ab", "AB", "ba"}, {"&ab", "A&B", "ba"}},    // nothing left for the third
        {{"&Xray", "Xenon"}, {"&Xray", "X&enon"}},     // a marked key is kept and taken
        {{"Fish && Chips", "Fun"}, {"&Fish && Chips", "F&un"}},
        {{}, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(withAccessKeys(c.captions), c.marked) << c.captions.join('|').toStdString();
}

} // namespace
