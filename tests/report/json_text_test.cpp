#include "report/json_text.h"

#include <gtest/gtest.h>

namespace chronell::report {
namespace {

TEST(JsonText, StringsAreEscapedAndTranscoded)
{
    const struct {
        std::string bytes;
        const char* json;
    } cases[] = {
        {"plain", "\"plain\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"C:\\out\\", "\"C:\\\\out\\\\\""},
        {std::string("tab\there\nnul\0end\x1f", 17), "\"tab\\u0009here\\u000anul\\u0000end\\u001f\""},
        {"Caf\xE9 \x96 \x80", "\"Caf\xC3\xA9 \xE2\x80\x93 \xE2\x82\xAC\""},  // Windows-1252
        {"Caf\xC3\xA9", "\"Caf\xC3\xA9\""},  // valid UTF-8 stays
        // Escapes first, last and side by side, in plain and transcoded text.
        {"\"", "\"\\\"\""},
        {"\\\"\x01", "\"\\\\\\\"\\u0001\""},
        {"\x01mid\x7f", "\"\\u0001mid\x7f\""},
        {"\xE9\"\n", "\"\xC3\xA9\\\"\\u000a\""},
        {"", "\"\""},
    };
    for (const auto& c : cases) {
        std::string out;
        appendJsonString(out, c.bytes);
        EXPECT_EQ(out, c.json);
    }
}

// Strings are looked at eight bytes at a time: each byte that needs care,
// and its neighbours that need none, at every place of a longer string.
TEST(JsonText, EveryByteIsLookedAtWhereverItStands)
{
    const std::pair<char, std::string> bytes[] = {
        {'"', "\\\""}, {'\\', "\\\\"}, {'\x1f', "\\u001f"}, {'\0', "\\u0000"},
        {' ', " "}, {'!', "!"}, {'#', "#"}, {'[', "["}, {']', "]"}, {'\x7f', "\x7f"},
    };
    for (const auto& [byte, json] : bytes) {
        for (std::size_t at = 0; at < 17; ++at) {
            std::string text(17, 'a');
            text[at] = byte;
            std::string out;
            appendJsonString(out, text);
            EXPECT_EQ(out, "\"" + std::string(at, 'a') + json + std::string(16 - at, 'a') + "\"") << int(byte) << " at " << at;
        }
    }
    std::string high(16, 'a');
    high[11] = '\xE9';  // Windows-1252 beyond the first word
    std::string out;
    appendJsonString(out, high);
    EXPECT_EQ(out, "\"aaaaaaaaaaa\xC3\xA9" "aaaa\"");
}

TEST(JsonText, InstantsNumbersAndNulls)
{
    using std::chrono::milliseconds;
    const struct {
        std::optional<Instant> instant;
        const char* json;
    } instants[] = {
        {Instant(milliseconds(1'688'241'600'000)), "\"2023-07-01T20:00:00Z\""},
        {Instant(milliseconds(1'688'241'600'007)), "\"2023-07-01T20:00:00.007Z\""},
        {Instant(milliseconds(-11'644'473'600'000 + 142'110)), "\"1601-01-01T00:02:22.110Z\""},
        {Instant(milliseconds(253'402'300'799'999)), "\"9999-12-31T23:59:59.999Z\""},
        {Instant(milliseconds(-1)), "\"1969-12-31T23:59:59.999Z\""},
        {std::nullopt, "null"},
    };
    for (const auto& c : instants) {
        std::string out;
        appendJsonInstant(out, c.instant);
        EXPECT_EQ(out, c.json);
    }
    std::string numbers;
    appendJsonNumber(numbers, std::optional<std::int64_t>(-5));
    appendJsonNumber(numbers, std::nullopt);
    appendJsonOptionalString(numbers, std::nullopt);
    EXPECT_EQ(numbers, "-5nullnull");
}

} // namespace
} // namespace chronell::report
