#include "platform/huge_page_heap.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/executable_path.h"

#if defined(__GLIBC__)
#include <unistd.h>
#endif

namespace chronell {

std::string transparentHugePageMode(std::string_view enabledFile)
{
    const auto open = enabledFile.find('[');
    if (open == std::string_view::npos) return {};
    const auto close = enabledFile.find(']', open);
    if (close == std::string_view::npos) return {};
    return std::string(enabledFile.substr(open + 1, close - open - 1));
}

bool restartForHugePages(std::string_view thpMode, const char* tunables, const char* preload)
{
    return thpMode == "madvise" && tunables == nullptr && preload == nullptr;
}

#if defined(__GLIBC__)

void useHugePageHeap(char** argv)
{
    if (std::getenv(kHugePageRestartMark) != nullptr) {
        // The first start saw GLIBC_TUNABLES unset.
        ::unsetenv("GLIBC_TUNABLES");
        ::unsetenv(kHugePageRestartMark);
        return;
    }
    std::ifstream enabled("/sys/kernel/mm/transparent_hugepage/enabled");
    const std::string modes{std::istreambuf_iterator<char>(enabled), std::istreambuf_iterator<char>()};
    if (!restartForHugePages(transparentHugePageMode(modes), std::getenv("GLIBC_TUNABLES"),
                             std::getenv("LD_PRELOAD"))) return;
    const std::string executable = executablePath();
    if (executable.empty() || argv == nullptr || argv[0] == nullptr) return;
    if (::setenv(kHugePageRestartMark, "1", 1) != 0) return;
    if (::setenv("GLIBC_TUNABLES", kHugePageTunable, 1) == 0) ::execv(executable.c_str(), argv);
    ::unsetenv("GLIBC_TUNABLES");
    ::unsetenv(kHugePageRestartMark);
}

#else

void useHugePageHeap(char**) {}

#endif

} // namespace chronell
