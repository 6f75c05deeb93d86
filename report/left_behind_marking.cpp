#include "report/left_behind_marking.h"

namespace chronell::report {

void LeftBehindMarking::job(const JobEvent& event)
{
    // Only a whole job has a row to mark; the record is copied only for a job left behind.
    if (event.read != JobRead::Whole || !leftBehind_ || !leftBehind_(event.record)) {
        next_.job(event);
        return;
    }
    JobRecord marked = event.record;
    marked.leftBehind = true;
    next_.job(JobEvent{marked, event.read, event.startShown, event.endShown});
}

} // namespace chronell::report
