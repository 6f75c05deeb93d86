#include "cli/progress_line.h"

#include <cstdio>
#include <string>

#include "analysis/decimal_text.h"
#include "platform/terminal.h"

namespace chronell::report {

namespace {

constexpr auto kDelay = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

} // namespace

ProgressLine::ProgressLine() : enabled_(standardErrorIsTerminal()), start_(Clock::now()) {}

ProgressLine::~ProgressLine()
{
    erase();
}

void ProgressLine::erase()
{
    if (shown_) std::fputs("\r\033[K", stderr);
    shown_ = false;
}

void ProgressLine::update(std::size_t done, std::size_t found)
{
    if (!enabled_) return;
    const auto now = Clock::now();
    if (now - start_ < kDelay || (shown_ && now - lastDrawn_ < kRedrawInterval)) return;
    show(decimalText(static_cast<std::int64_t>(done)) + " of " + decimalText(static_cast<std::int64_t>(found)) + " files");
}

void ProgressLine::show(std::string_view text)
{
    if (!enabled_) return;
    const std::string line = "\r\033[K" + std::string(text);
    std::fputs(line.c_str(), stderr);
    std::fflush(stderr);
    shown_ = true;
    lastDrawn_ = Clock::now();
}

} // namespace chronell::report
