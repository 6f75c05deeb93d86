// Records the run over a folder in a history, as a child process of the
// history's tests. With "die-at-commit" the process ends itself at the
// moment SQLite is about to commit the run's transaction, as a writer
// killed in the middle of it would.
//
//   history_writer STORE FOLDER [die-at-commit]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <sqlite3.h>

#include "analysis/processing_run.h"
#include "analysis/record_sink.h"
#include "history/history_store.h"

namespace {

int dieInsteadOfCommitting(void*)
{
    std::_Exit(3);
}

// Run for every connection this process opens.
int hookCommits(sqlite3* db, const char**, const void*)
{
    sqlite3_commit_hook(db, dieInsteadOfCommitting, nullptr);
    return SQLITE_OK;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace chronell;
    if (argc < 3) {
        std::fputs("usage: history_writer STORE FOLDER [die-at-commit]\n", stderr);
        return 2;
    }
    std::vector<JobRecord> records;
    RecordSink sink([&records](const JobRecord& record) { records.push_back(record); });
    RunInputs inputs;
    inputs.folder = argv[2];
    runProcessing(sink, inputs);

    history::HistoryStore store(argv[1]);
    // The schema is made first, so that only the run's own transaction dies.
    store.record({}, inputs.folder, Instant{});
    if (argc > 3 && std::strcmp(argv[3], "die-at-commit") == 0)
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(hookCommits));
    const history::RecordOutcome outcome = store.record(records, inputs.folder, Instant{});
    for (const std::string& notice : outcome.notices) std::fprintf(stderr, "%s\n", notice.c_str());
    return outcome.recorded ? 0 : 1;
}
