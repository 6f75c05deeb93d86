#pragma once
// How chronell-report names the error that ended a run.
#include <string>

#include "platform/chronell_error.h"

namespace chronell::report {

// The error's text, with its place in a file before it when it has one
// ("queue.jobs:12: 'x' is not a valid integer value.").
inline std::string stopText(const ChronellError& error)
{
    std::string text;
    if (error.line() > 0) text = error.path() + ":" + std::to_string(error.line()) + ": ";
    return text + errorBoxText(error.what());
}

} // namespace chronell::report
