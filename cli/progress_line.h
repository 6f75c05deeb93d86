#pragma once
// A one-line progress indicator on standard error ("files done of files
// found"), shown only on a terminal and only once a run has lasted a second;
// or any text shown at once, such as where a queue waited for stands.
#include <chrono>
#include <cstddef>
#include <string_view>

namespace chronell::report {

class ProgressLine {
public:
    ProgressLine();
    ~ProgressLine();  // erases the line when one was shown

    void update(std::size_t done, std::size_t found);
    // Draws `text` in place of the line now (on a terminal).
    void show(std::string_view text);
    bool enabled() const { return enabled_; }
    // Erases the line, so that a message can take its place; the next update
    // draws it again.
    void erase();

private:
    using Clock = std::chrono::steady_clock;
    bool enabled_;
    bool shown_ = false;
    Clock::time_point start_;
    Clock::time_point lastDrawn_;
};

} // namespace chronell::report
