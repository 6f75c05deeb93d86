#include "platform/command_line.h"

#include <utility>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace chronell {

namespace {

bool isBlankOrControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 1 && byte <= 32;
}

} // namespace

// Stepping byte by byte is the same as stepping by characters here: the trail
// byte of a double-byte character is never a quote nor a code up to 32.
std::vector<std::string> splitCommandLine(std::string_view rawCommandLine)
{
    // The raw command line is a C string: it ends at its first NUL.
    const std::string_view text = rawCommandLine.substr(0, rawCommandLine.find('\0'));
    const std::size_t size = text.size();

    std::vector<std::string> words;
    std::size_t at = 0;
    for (;;) {
        // Before a word: blanks, control characters and pairs of quotes.
        while (at < size) {
            if (isBlankOrControl(text[at])) {
                ++at;
            } else if (text[at] == '"' && at + 1 < size && text[at + 1] == '"') {
                at += 2;
            } else {
                break;
            }
        }

        // The word: up to a blank or control character outside quotes; a
        // quoted stretch runs to the next quote or to the end, quotes dropped.
        std::string word;
        while (at < size && !isBlankOrControl(text[at])) {
            if (text[at] == '"') {
                const std::size_t close = text.find('"', at + 1);
                const std::size_t end = close == std::string_view::npos ? size : close;
                word.append(text.substr(at + 1, end - at - 1));
                at = close == std::string_view::npos ? size : close + 1;
            } else {
                word += text[at++];
            }
        }

        // Only the end of the text gives an empty word; it ends the count.
        if (word.empty()) break;
        words.push_back(std::move(word));
    }

    if (!words.empty()) words.erase(words.begin());  // word 0: the program
    return words;
}

std::vector<std::string> argumentsFromArgv(int argc, const char* const* argv)
{
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        if (argv[i] != nullptr && argv[i][0] != '\0') arguments.emplace_back(argv[i]);
    }
    return arguments;
}

std::vector<std::string> programArguments([[maybe_unused]] int argc,
                                          [[maybe_unused]] const char* const* argv)
{
#ifdef _WIN32
    return splitCommandLine(GetCommandLineA());
#else
    return argumentsFromArgv(argc, argv);
#endif
}

} // namespace chronell
