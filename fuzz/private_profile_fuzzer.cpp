// The private-profile reader and writer over any file: a value written
// reads back as written, the rest of the file keeps what it held, a second
// write of the same value changes nothing, and a line break is refused.
// Input: the file, then section, key, value, another section and another
// key, each after a byte 0x01.
#include <string>

#include "fuzz/fuzz_input.h"
#include "platform/ascii.h"
#include "platform/private_profile.h"
#include "platform/read_file.h"

namespace {

using chronell::fuzz::require;

bool holdsLineBreak(std::string_view text)
{
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    return text.empty() || (!blank(text.front()) && !blank(text.back()));
}

// Names and a value that a line of the file holds as they are: no blanks
// around them, a section name without ']', a key that reads as a key, a
// value without surrounding quotes that fits the reading buffer.
bool storedAsGiven(std::string_view section, std::string_view key, std::string_view value)
{
    const bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return trimmed(section) && section.find(']') == std::string_view::npos && !key.empty() && trimmed(key)
           && key.find('=') == std::string_view::npos && key.front() != ';' && key.front() != '['
           && trimmed(value) && !quoted && value.size() < chronell::kProfileBufferSize;
}

std::string bytesOfFile(const std::string& path)
{
    std::string bytes;
    chronell::readWholeFile(path, bytes);
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = chronell::fuzz::ownFile("Settings.ini");
    std::string_view input = chronell::fuzz::bytesOf(data, size);
    const std::string_view file = chronell::fuzz::takePart(input, '\x01');
    const std::string section(chronell::fuzz::takePart(input, '\x01'));
    const std::string key(chronell::fuzz::takePart(input, '\x01'));
    const std::string value(chronell::fuzz::takePart(input, '\x01'));
    const std::string otherSection(chronell::fuzz::takePart(input, '\x01'));
    const std::string otherKey(input);
    chronell::fuzz::writeFile(path, file);

    require(chronell::GetPrivateProfileString(section, key, "", path).size() < chronell::kProfileBufferSize,
            "a value read fits the buffer");
    const std::string otherBefore = chronell::GetPrivateProfileString(otherSection, otherKey, "\x02missing", path);

    const bool written = chronell::WritePrivateProfileString(section, key, value, path);
    if (holdsLineBreak(section) || holdsLineBreak(key) || holdsLineBreak(value)) {
        require(!written, "a line break is refused");
        require(bytesOfFile(path) == file, "a refused write leaves the file as it was");
        return 0;
    }
    require(written, "a write into a file of the fuzzer's own is made");
    if (!storedAsGiven(section, key, value)) return 0;

    require(chronell::GetPrivateProfileString(section, key, "\x02missing", path) == value, "a value reads back as written");
    const bool sameKey = chronell::equalIgnoringAsciiCase(section, otherSection) && chronell::equalIgnoringAsciiCase(key, otherKey);
    if (!sameKey && storedAsGiven(otherSection, otherKey, ""))
        require(chronell::GetPrivateProfileString(otherSection, otherKey, "\x02missing", path) == otherBefore,
                "another key keeps its value");
    const std::string once = bytesOfFile(path);
    require(chronell::WritePrivateProfileString(section, key, value, path), "the same write is made again");
    require(bytesOfFile(path) == once, "writing the same value again changes nothing");
    return 0;
}
