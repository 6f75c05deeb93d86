// The integer text rule: the quiet and the raising form agree, and a
// number read comes back from its decimal text.
#include <string>

#include "analysis/integer_text.h"
#include "fuzz/fuzz_input.h"
#include "platform/chronell_error.h"

using chronell::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = chronell::fuzz::bytesOf(data, size);
    const std::optional<std::int32_t> quiet = chronell::tryStrToInt(text);
    try {
        const std::int32_t raised = chronell::StrToInt(text);
        require(quiet == raised, "both forms read the same number");
    } catch (const chronell::ChronellError& error) {
        require(!quiet, "the raising form raises only where the quiet form reads nothing");
        // what() is a C string: it ends at a NUL of the text.
        const std::string message = "'" + std::string(text) + "' is not a valid integer value";
        require(message.compare(0, message.find('\0'), error.what()) == 0, "the failure names the text");
    }
    if (quiet) require(chronell::tryStrToInt(std::to_string(*quiet)) == quiet, "a number's decimal text reads back");
    return 0;
}
