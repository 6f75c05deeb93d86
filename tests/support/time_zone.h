#pragma once
// Sets TZ for the life of a test and puts the previous value back. On
// Windows TZ reaches only the C runtime's own functions: the system's time
// zone, which the program follows there, stays as it is.
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/local_time.h"

namespace chronell::test {

class ScopedTimeZone {
public:
    explicit ScopedTimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ")) previous_ = old;
        set(zone);
    }
    ~ScopedTimeZone() { set(previous_ ? previous_->c_str() : nullptr); }
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

private:
    static void set(const char* zone)
    {
#ifdef _WIN32
        ::_putenv_s("TZ", zone ? zone : "");  // "" removes it
        ::_tzset();
#else
        if (zone)
            ::setenv("TZ", zone, 1);
        else
            ::unsetenv("TZ");
        ::tzset();
#endif
        timeZoneChanged();
    }

    std::optional<std::string> previous_;
};

} // namespace chronell::test
