// The splitting of a raw command line: words are never empty and hold no
// quote, and words put back in quotes split into the same words.
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "platform/command_line.h"

using chronell::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view raw = chronell::fuzz::bytesOf(data, size);
    const std::vector<std::string> words = chronell::splitCommandLine(raw);
    std::size_t total = 0;
    std::string rejoined = "program";
    for (const std::string& word : words) {
        require(!word.empty(), "no word is empty");
        require(word.find_first_of(std::string_view("\"\0", 2)) == std::string::npos, "a word holds no quote or NUL");
        total += word.size();
        rejoined += " \"" + word + "\"";
    }
    require(total <= raw.size(), "words come from the line's characters");
    require(chronell::splitCommandLine(rejoined) == words, "quoted words split into the same words");
    return 0;
}
