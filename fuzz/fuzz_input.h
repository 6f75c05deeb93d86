#pragma once
// Helpers of the fuzz targets: the input's bytes cut into parts, a file of
// the fuzzer's own, and a failed invariant that stops the fuzzer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace chronell::fuzz {

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// The text before the first `separator` of `input`, which keeps the rest.
inline std::string_view takePart(std::string_view& input, char separator)
{
    const std::size_t end = input.find(separator);
    const std::string_view part = input.substr(0, end);
    input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    return part;
}

// A path that belongs to this process, in memory where the host has such
// a folder (a file written for every input), else in the temporary folder.
inline std::string ownFile(const char* name)
{
    std::error_code error;
    const std::filesystem::path memory = "/dev/shm";
    const std::filesystem::path folder =
        std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
    return (folder / ("chronell-fuzz-" + std::to_string(::getpid()) + "-" + name)).string();
}

inline void writeFile(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A broken invariant: the fuzzer keeps the input as a crash.
[[noreturn]] inline void broken(const char* invariant)
{
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

inline void require(bool holds, const char* invariant)
{
    if (!holds) broken(invariant);
}

} // namespace chronell::fuzz
