#pragma once
// Notes a file caught while it was being written: one that ended short of
// its last job or of its job count, or could not be read (on Windows the
// writer holds it while it writes). A reading that caught one is read again
// rather than trusted.
#include "analysis/run_events.h"

namespace chronell {

class MidWriteCatch : public RunSink {
public:
    explicit MidWriteCatch(bool& caught) : caught_(caught) {}
    void fileEnded(const FileEndEvent& event) override
    {
        if (event.how != FileEnd::Done) caught_ = true;
    }

private:
    bool& caught_;
};

} // namespace chronell
