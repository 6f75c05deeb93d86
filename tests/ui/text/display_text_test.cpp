// Bytes to display text and back.
#include <gtest/gtest.h>

#include <string>

#include "ui/text/display_text.h"

namespace {

using chronell::displayText;
using chronell::textBytes;

TEST(DisplayText, ValidUtf8IsReadAsUtf8AndAnythingElseAsWindows1252)
{
    struct Case {
        std::string bytes;
        const char16_t* text;
    };
    const Case cases[] = {
        {"", u""},
        {"Clip one", u"Clip one"},
        {"caf\xC3\xA9", u"caf\u00E9"},          // UTF-8
        {"caf\xE9", u"caf\u00E9"},              // Windows-1252
        {"\x80 \x9F", u"\u20AC \u0178"},        // the 1252 letters of 0x80-0x9F
        {"\x81\x8D\x8F\x90\x9D", u"\u0081\u008D\u008F\u0090\u009D"},  // unassigned: C1 controls
        {"\xC0\xAF", u"\u00C0\u00AF"},          // an overlong form is not UTF-8
        {"\xED\xA0\x80", u"\u00ED\u00A0\u20AC"},  // nor is a surrogate
        {"\xE2\x82\xAC caf\xE9", u"\u00E2\u201A\u00AC caf\u00E9"},  // one bad byte makes it all 1252
    };
    for (const Case& c : cases) EXPECT_EQ(displayText(c.bytes), QString::fromUtf16(c.text)) << c.bytes;
}

TEST(ShownText, TextsOverTheLimitAreCutWithTheBytesLeftOut)
{
    const std::size_t limit = chronell::kShownTextLimit;
    const QString ellipsis = QStringLiteral("\u2026");
    struct Case {
        const char* what;
        std::string bytes;
        QString shown;
    };
    const Case cases[] = {
        {"at the limit", std::string(limit, 'a'), QString(limit, u'a')},
        {"one byte over", std::string(limit + 1, 'a'), QString(limit, u'a') + ellipsis + " (1 bytes left out)"},
        {"200 MB", std::string(200'000'000, 'n'), QString(limit, u'n') + ellipsis + " (199934464 bytes left out)"},
        {"a UTF-8 character across the limit goes whole",
         std::string(limit - 1, 'a') + "\xC3\xA9" + "b", QString(limit - 1, u'a') + ellipsis + " (3 bytes left out)"},
        {"Windows-1252 stays Windows-1252", std::string(limit, '\xE9') + "z",
         QString(limit, QChar(0xE9)) + ellipsis + " (1 bytes left out)"},
    };
    for (const Case& c : cases) EXPECT_EQ(chronell::shownText(c.bytes), c.shown) << c.what;
}

TEST(DisplayText, TextOfTheWindowGoesToTheEngineAsUtf8)
{
    EXPECT_EQ(textBytes(QString::fromUtf16(u"D:\\vid\u00E9o")), "D:\\vid\xC3\xA9o");
    EXPECT_EQ(textBytes(QString()), "");
}

} // namespace
