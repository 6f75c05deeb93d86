#include "report/timeline_svg_text.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace chronell::report {
namespace {

std::string coordinate(double value)
{
    std::string text;
    appendCoordinate(text, value);
    return text;
}

TEST(TimelineSvgText, CoordinatesReadAsToCharsWritesThem)
{
    std::vector<double> values = {0.0, -0.0, 0.04, 0.05, 0.15, 0.25, -0.04, -3.0, -12.35, 9.95, 99.95, 1e11 + 0.05,
                                  1e12, 1e15, 1e300, INFINITY, NAN};
    for (int hundredths = 0; hundredths < 200'000; hundredths += 7) values.push_back(hundredths / 100.0);
    // A hair either side of the halves, where rounding the tenths decides the digit.
    for (int half = 0; half < 2'000; ++half) {
        const double exact = half / 10.0 + 0.05;
        values.insert(values.end(), {std::nextafter(exact, 0.0), exact, std::nextafter(exact, 1e9)});
    }
    for (const double value : values) {
        char expected[400];
        const auto end = std::to_chars(expected, expected + sizeof expected, value, std::chars_format::fixed, 1).ptr;
        ASSERT_EQ(coordinate(value), std::string(expected, end)) << value;
    }
}

std::string xmlText(std::string_view bytes)
{
    std::string text = "<";  // appended to what is there
    appendXmlText(text, bytes);
    return text.substr(1);
}

TEST(TimelineSvgText, EveryEscapedCharacterAtEveryPosition)
{
    const std::vector<std::pair<char, std::string>> escapes = {
        {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\x01', " "}, {'\x1F', " "}, {'\r', " "}};
    const std::string plain = "a\xC3\xA9z";  // a, e acute, z: valid UTF-8 is kept
    for (const auto& [byte, escaped] : escapes)
        for (std::size_t at = 0; at <= plain.size(); at += at == 1 ? 2 : 1) {
            std::string bytes = plain;
            bytes.insert(at, 1, byte);
            std::string expected = plain;
            expected.insert(at, escaped);
            EXPECT_EQ(xmlText(bytes), expected) << int(byte) << " at " << at;
            EXPECT_EQ(xmlText(std::string(2, byte)), escaped + escaped);
        }
}

TEST(TimelineSvgText, XmlTextOfOtherBytes)
{
    const struct {
        std::string bytes;
        std::string text;
    } cases[] = {
        {"", ""},
        {"tab\tand\nline", "tab\tand\nline"},
        {"caf\xE9 & \x93quoted\x94", "caf\xC3\xA9 &amp; \xE2\x80\x9Cquoted\xE2\x80\x9D"},  // Windows-1252
        {"\xF0\x9F\x8E\xAC<", "\xF0\x9F\x8E\xAC&lt;"},
    };
    for (const auto& c : cases) EXPECT_EQ(xmlText(c.bytes), c.text) << c.bytes;
}

TEST(TimelineSvgText, TextsCutToAWidthByCharacters)
{
    const struct {
        std::string text;
        double width;
        std::string kept;
        bool cut;
    } cases[] = {
        {"abcdef", 42, "abcdef", false},               // 6 characters of 7 pixels
        {"abcdef", 41.9, "ab", true},                  // room for 5.98 less the dots
        {"\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 41, "\xC3\xA9\xC3\xA9", true},  // never half a character
        {"abcdef", 27, "", false},                     // not even one character and the dots
        {"...", 21, "...", false},
        {"", 0, "", false},
    };
    for (const auto& c : cases) {
        const FittedText fitted = fittedText(c.text, c.width);
        EXPECT_EQ(fitted.kept, c.kept) << c.text << " in " << c.width;
        EXPECT_EQ(fitted.cut, c.cut) << c.text << " in " << c.width;
    }
}

} // namespace
} // namespace chronell::report
