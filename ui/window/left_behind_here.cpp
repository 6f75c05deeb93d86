#include "ui/window/left_behind_here.h"

#include <memory>

#include "platform/process_table.h"
#include "report/running_jobs.h"

namespace chronell {

namespace {

// The judge keeps a reference to its table: both live as long as the test.
struct Judging {
    SystemProcessTable table;
    report::LeftBehindJudge judge{table};
};

} // namespace

report::LeftBehindTest leftBehindOnThisComputer()
{
    auto judging = std::make_shared<const Judging>();
    return [judging](const JobRecord& record) { return judging->judge(record); };
}

} // namespace chronell
