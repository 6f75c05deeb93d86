#include "cli/progress_line.h"

#include <charconv>
#include <cstdio>
#include <string>

#include "platform/standard_streams.h"

namespace chronell::report {

namespace {

constexpr auto kDelay = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

std::string decimal(std::size_t value)
{
    char buffer[24];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

} // namespace

ProgressLine::ProgressLine() : enabled_(standardErrorIsTerminal()), start_(Clock::now()) {}

ProgressLine::~ProgressLine()
{
    if (shown_) std::fputs("\r\033[K", stderr);
}

void ProgressLine::update(std::size_t done, std::size_t found)
{
    if (!enabled_) return;
    const auto now = Clock::now();
    if (now - start_ < kDelay || (shown_ && now - lastDrawn_ < kRedrawInterval)) return;
    const std::string text = "\r\033[K" + decimal(done) + " of " + decimal(found) + " files";
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
    shown_ = true;
    lastDrawn_ = now;
}

} // namespace chronell::report
