#include "platform/rewrite_file.h"

#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/read_file.h"

namespace chronell {

std::error_code rewriteFile(const std::string& path, const FileRewrite& rewrite)
{
    std::string old;
    std::error_code reason;
    std::error_code missing;
    if (!readWholeFile(path, old, reason) && std::filesystem::exists(path, missing)) return reason;

    AtomicFile file(path);
    if (file.write(rewrite(old)) && file.commit()) return {};
    return file.error();
}

} // namespace chronell
