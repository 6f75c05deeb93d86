#include "history/history_store.h"

#include <gtest/gtest.h>

#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/chronell_error.h"
#include "support/generated_history.h"
#include "support/job_list_text.h"
#include "support/run_program.h"
#include "support/temp_folder.h"

namespace chronell::history {
namespace {

using test::pairRowOf;
using test::TempFolder;
using namespace std::chrono_literals;

Instant at(std::int64_t milliseconds)
{
    return Instant(std::chrono::milliseconds(milliseconds));
}

JobRecord job(const std::string& name, std::int32_t state, std::int64_t startMs,
              std::optional<std::string> id = {}, const std::string& jobFile = "queue.jobs")
{
    JobRecord record;
    record.name = name;
    record.input = "C:\\in\\" + name + ".avi";
    record.output = "D:\\out\\" + name + ".avi";
    record.state = state;
    record.startUtc = at(startMs);
    record.endUtc = at(startMs + 60'000);
    record.startShown = 39'000.5;
    record.endShown = 39'000.75;
    record.durationMs = 60'000;
    record.jobFile = jobFile;
    record.runnerName = "encoder-1";
    record.runnerId = "a1b2";
    record.error = state == 5 ? std::optional<std::string>("out of disk") : std::nullopt;
    record.id = std::move(id);
    return record;
}

// The values of a record that the history keeps, in one comparable text.
std::string kept(const JobRecord& r)
{
    const auto ms = [](const std::optional<Instant>& i) { return i ? std::to_string(i->time_since_epoch().count()) : "-"; };
    return std::to_string(r.row) + "|" + (r.twoPass ? "pair|" : "job|") + r.name + "|" + r.input + "|" + r.output + "|"
           + (r.state ? std::to_string(*r.state) : "-") + "|" + ms(r.startUtc) + "|" + ms(r.endUtc) + "|"
           + (r.startShown ? std::to_string(*r.startShown) : "-") + "|" + (r.endShown ? std::to_string(*r.endShown) : "-")
           + "|" + (r.durationMs ? std::to_string(*r.durationMs) : "-") + "|" + r.jobFile + "|"
           + r.runnerName.value_or("-") + "|" + r.runnerId.value_or("-") + "|" + r.error.value_or("-") + "|"
           + r.id.value_or("-");
}

std::vector<std::string> kept(const std::vector<JobRecord>& records)
{
    std::vector<std::string> texts;
    for (const JobRecord& record : records) texts.push_back(kept(record));
    return texts;
}

std::vector<JobRecord> numbered(std::vector<JobRecord> records)
{
    int row = 0;
    for (JobRecord& record : records) record.row = ++row;
    return records;
}

std::vector<std::string> names(const std::vector<JobRecord>& records)
{
    std::vector<std::string> texts;
    for (const JobRecord& record : records) texts.push_back(record.name);
    return texts;
}

// What the hours per period read of a record.
std::string times(const JobRecord& r)
{
    return std::to_string(r.startUtc->time_since_epoch().count()) + " " + std::to_string(r.endUtc->time_since_epoch().count())
           + " " + std::to_string(*r.state) + " " + r.runnerName.value_or("-");
}

std::vector<std::string> sortedTimes(const HistoryStore& store, const HistoryRange& range)
{
    std::vector<std::string> read;
    store.forEachTimes(range, [&read](const JobRecord& record) { read.push_back(times(record)); });
    std::sort(read.begin(), read.end());
    return read;
}

// What a summary reads of a record.
std::string summed(const JobRecord& r)
{
    const auto ms = [](const std::optional<Instant>& i) { return i ? std::to_string(i->time_since_epoch().count()) : "-"; };
    const auto days = [](const std::optional<double>& d) { return d ? std::to_string(*d) : "-"; };
    return std::to_string(r.row) + "|" + r.jobFile + "|" + r.name + "|" + (r.state ? std::to_string(*r.state) : "-") + "|"
           + days(r.startShown) + "|" + days(r.endShown) + "|" + ms(r.startUtc) + "|" + ms(r.endUtc) + "|"
           + (r.durationMs ? std::to_string(*r.durationMs) : "-") + "|" + r.runnerName.value_or("-") + "|"
           + r.error.value_or("-");
}

// A query's single number, straight from the file.
std::int64_t queryNumber(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    std::int64_t value = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

class HistoryStoreTest : public testing::Test {
protected:
    std::string storePath() const { return folder_.file("data/Chronell/history.sqlite"); }
    HistoryStore store() const { return HistoryStore(storePath(), 50ms); }

    TempFolder folder_;
};

TEST_F(HistoryStoreTest, KeepsEveryValueOfFinishedJobsAndTheirPairs)
{
    const JobRecord pass1 = job("pass1", 2, 1'000);
    const JobRecord pass2 = job("pass2", 2, 70'000, "9f00");
    const std::vector<JobRecord> run{job("waiting", 0, 0), job("failed", 5, 500), pass1, pass2, pairRowOf(pass1, pass2)};

    const RecordOutcome outcome = store().record(run, folder_.string(), at(1'000'000));
    EXPECT_TRUE(outcome.recorded);
    EXPECT_TRUE(outcome.notices.empty());
    EXPECT_EQ(outcome.jobsAdded, 3u);
    EXPECT_EQ(outcome.pairsAdded, 1u);

    EXPECT_EQ(kept(store().read()), kept(numbered({run[1], pass1, pass2, pairRowOf(pass1, pass2)})));
}

TEST_F(HistoryStoreTest, RecordingTheSameRunAgainChangesOnlyWhenItWasLastSeen)
{
    const JobRecord pass1 = job("pass1", 2, 1'000, "01");
    const JobRecord pass2 = job("pass2", 2, 70'000, "02");
    const std::vector<JobRecord> run{job("a", 2, 0), pass1, pass2, pairRowOf(pass1, pass2)};
    store().record(run, folder_.string(), at(1'000));
    const std::vector<std::string> first = kept(store().read());

    const RecordOutcome again = store().record(run, folder_.string(), at(9'000));
    EXPECT_TRUE(again.recorded);
    EXPECT_EQ(again.jobsAdded, 0u);
    EXPECT_EQ(again.jobsSeenAgain, 3u);
    EXPECT_EQ(again.pairsAdded, 0u);
    EXPECT_EQ(kept(store().read()), first);
    EXPECT_EQ(queryNumber(storePath(), "SELECT count(*) FROM jobs"), 3);
    EXPECT_EQ(queryNumber(storePath(), "SELECT count(*) FROM pairs"), 1);
    EXPECT_EQ(queryNumber(storePath(), "SELECT min(first_seen) FROM jobs"), 1'000);
    EXPECT_EQ(queryNumber(storePath(), "SELECT max(first_seen) FROM jobs"), 1'000);
    EXPECT_EQ(queryNumber(storePath(), "SELECT min(last_seen) FROM jobs"), 9'000);
    EXPECT_EQ(queryNumber(storePath(), "SELECT last_seen FROM pairs"), 9'000);
}

TEST_F(HistoryStoreTest, AJobRunAgainAndAFolderRefilledAddNewRecords)
{
    // Night one: a job aborted. Night two, the same list: the aborted job
    // done (same id), and a new job; the done one from night one is gone.
    store().record({job("a", 2, 0), job("b", 4, 1'000, "bb")}, folder_.string(), at(1));
    store().record({job("b", 2, 90'000, "bb"), job("c", 2, 200'000)}, folder_.string(), at(2));
    const std::vector<JobRecord> history = store().read();
    EXPECT_EQ(names(history), (std::vector<std::string>{"a", "b", "b", "c"}));
    EXPECT_EQ(history[1].state, 4);
    EXPECT_EQ(history[2].state, 2);
}

TEST_F(HistoryStoreTest, ReadsTheJobsThatStartInARangeWithTheirPairs)
{
    const JobRecord early = job("early", 2, 1'000);
    const JobRecord pass1 = job("pass1", 2, 10'000);
    const JobRecord pass2 = job("pass2", 2, 20'000);
    const JobRecord late = job("late", 2, 30'000);
    store().record({early, pass1, pass2, pairRowOf(pass1, pass2), late}, folder_.string(), at(1));

    EXPECT_EQ(names(store().read({at(10'000), at(30'000)})), (std::vector<std::string>{"pass1", "pass2", "2pass"}));
    // A pair with one job outside the range is left out.
    EXPECT_EQ(names(store().read({at(15'000), {}})), (std::vector<std::string>{"pass2", "late"}));
    EXPECT_EQ(names(store().read({{}, at(10'000)})), (std::vector<std::string>{"early"}));
}

TEST_F(HistoryStoreTest, TheTimesAloneAreThoseOfTheRangesJobsWithoutPairs)
{
    const std::vector<JobRecord> run = test::generatedJobs(test::JobPattern{}, 0, 40);
    store().record(run, folder_.string(), at(1));
    const HistoryRange ranges[] = {
        {}, {*run[10].startUtc, *run[30].startUtc}, {{}, *run[5].startUtc}, {*run[25].startUtc, {}}};
    for (const HistoryRange& range : ranges) {
        std::vector<std::string> expected;
        for (const JobRecord& record : store().read(range))
            if (!record.twoPass) expected.push_back(times(record));
        std::sort(expected.begin(), expected.end());
        const std::vector<std::string> read = sortedTimes(store(), range);
        EXPECT_FALSE(read.empty());
        EXPECT_EQ(read, expected);
    }
    std::size_t none = 0;
    store().forEachTimes({at(0), at(1)}, [&none](const JobRecord&) { ++none; });
    EXPECT_EQ(none, 0u);
}

TEST_F(HistoryStoreTest, WhatASummaryReadsIsThatOfTheRangesJobsInTheirOrder)
{
    // Jobs over a year's end and over the spring clock change in Berlin,
    // with pairs, a failed job, one without a runner and one never started.
    test::JobPattern pattern;
    pattern.firstStartMs = 1'767'204'000'000;  // 2025-12-31 18:00 UTC
    pattern.stepMs = 3 * 3'600'000;
    pattern.durationMs = 5 * 3'600'000 / 2;
    pattern.pairEvery = 4;
    pattern.jobsPerFile = 7;
    std::vector<JobRecord> run = test::generatedJobs(pattern, 0, 24);
    pattern.firstStartMs = 1'774'720'800'000 - 1'000 * pattern.stepMs;  // job 1000 at 2026-03-28 18:00 UTC
    const std::vector<JobRecord> spring = test::generatedJobs(pattern, 1'000, 24, 1);
    run.insert(run.end(), spring.begin(), spring.end());
    run.push_back(job("failed", 5, 1'767'300'000'000));
    JobRecord anonymous = job("anonymous", 2, 1'774'780'000'000);
    anonymous.runnerName.reset();
    run.push_back(anonymous);
    JobRecord unstarted = job("unstarted", 4, 0);
    unstarted.startUtc.reset();
    unstarted.endUtc.reset();
    unstarted.startShown.reset();
    unstarted.durationMs.reset();
    run.push_back(unstarted);
    ASSERT_TRUE(store().record(numbered(run), folder_.string(), at(1)).recorded);

    // Local midnights in Berlin: 2026-01-01, 2026-01-02, 2026-03-29 (23 hours long), 2026-03-30.
    const Instant newYear = at(1'767'222'000'000);
    const Instant secondOfJanuary = at(1'767'308'400'000);
    const Instant springChange = at(1'774'738'800'000);
    const Instant afterChange = at(1'774'821'600'000);
    const HistoryRange ranges[] = {{},
                                   {newYear, {}},
                                   {{}, newYear},
                                   {newYear, secondOfJanuary},
                                   {springChange, afterChange},
                                   {at(1'767'135'600'000), afterChange},
                                   {afterChange, {}}};
    for (const HistoryRange& range : ranges) {
        std::vector<std::string> expected;
        int row = 0;
        for (JobRecord record : store().read(range)) {
            if (record.twoPass) continue;
            record.row = ++row;
            expected.push_back(summed(record));
        }
        std::vector<std::string> read;
        store().forEachJobSummed(range, [&read](const JobRecord& record) { read.push_back(summed(record)); });
        EXPECT_EQ(read, expected);
    }
}

TEST_F(HistoryStoreTest, AHistoryOfTheFirstVersionIsReadAsItIsAndMigratedByTheNextRun)
{
    const std::vector<JobRecord> run = test::generatedJobs(test::JobPattern{}, 0, 30);
    store().record(run, folder_.string(), at(1));
    // As the first version made it: its index of starts held the starts alone.
    sqlite3* db = nullptr;
    sqlite3_open(storePath().c_str(), &db);
    ASSERT_EQ(sqlite3_exec(db,
                           "DROP INDEX jobs_by_start; CREATE INDEX jobs_by_start ON jobs(start_utc);"
                           " UPDATE schema_version SET version = 1",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);
    const HistoryRange range{*run[4].startUtc, *run[20].startUtc};
    const std::vector<std::string> before = kept(store().read());
    const std::vector<std::string> timesBefore = sortedTimes(store(), range);
    EXPECT_EQ(before.size(), run.size());

    // Read, it stays as it is.
    EXPECT_EQ(sortedTimes(store(), {}).size(), 30u);
    EXPECT_EQ(queryNumber(storePath(), "SELECT max(version) FROM schema_version"), 1);

    // The next run migrates it and keeps every record.
    const std::vector<JobRecord> next = test::generatedJobs(test::JobPattern{}, 30, 10, 1);
    ASSERT_TRUE(store().record(next, folder_.string(), at(2)).recorded);
    EXPECT_EQ(queryNumber(storePath(), "SELECT max(version) FROM schema_version"), 2);
    EXPECT_EQ(queryNumber(storePath(), "SELECT count(*) FROM pragma_index_info('jobs_by_start')"), 4);
    const std::vector<std::string> after = kept(store().read());
    ASSERT_EQ(after.size(), run.size() + next.size());
    EXPECT_EQ(std::vector<std::string>(after.begin(), after.begin() + static_cast<std::ptrdiff_t>(before.size())), before);
    EXPECT_EQ(sortedTimes(store(), range), timesBefore);
}

TEST_F(HistoryStoreTest, KeepsTheFullPathOfTheJobFileAndReadsItsName)
{
    store().record({job("a", 2, 0, {}, "monday.jobs")}, folder_.string(), at(1));
    EXPECT_EQ(store().read().at(0).jobFile, "monday.jobs");
    sqlite3* db = nullptr;
    sqlite3_open(storePath().c_str(), &db);
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT path FROM job_files", -1, &statement, nullptr);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    const std::string path(static_cast<const char*>(sqlite3_column_blob(statement, 0)),
                           static_cast<std::size_t>(sqlite3_column_bytes(statement, 0)));
    sqlite3_finalize(statement);
    sqlite3_close(db);
    EXPECT_EQ(std::filesystem::path(path), std::filesystem::path(folder_.file("monday.jobs")).lexically_normal());
}

TEST_F(HistoryStoreTest, NoFileYetReadsAsAnEmptyHistory)
{
    EXPECT_TRUE(store().read().empty());
    EXPECT_FALSE(std::filesystem::exists(storePath()));
}

TEST_F(HistoryStoreTest, ADamagedFileIsRenamedAsideAndTheRunGoesIntoANewOne)
{
    struct Case {
        const char* what;
        std::string bytes;
    };
    // A file of garbage, and a database whose pages after the header are overwritten.
    std::string damagedPages;
    {
        store().record({job("old", 2, 0)}, folder_.string(), at(1));
        sqlite3* db = nullptr;
        sqlite3_open(storePath().c_str(), &db);
        sqlite3_exec(db, "PRAGMA wal_checkpoint(TRUNCATE)", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        damagedPages = TempFolder::bytesOf(storePath());
        for (std::size_t i = 100; i < damagedPages.size(); ++i) damagedPages[i] = static_cast<char>(i * 7);
        std::filesystem::remove(storePath());
    }
    const std::vector<Case> cases{{"garbage", std::string(5000, 'x')}, {"damaged pages", damagedPages}};
    for (const Case& c : cases) {
        folder_.write("data/Chronell/history.sqlite", c.bytes);
        const RecordOutcome outcome = store().record({job("new", 2, 0)}, folder_.string(), at(2));
        EXPECT_TRUE(outcome.recorded) << c.what;
        ASSERT_EQ(outcome.notices.size(), 1u) << c.what;
        EXPECT_NE(outcome.notices[0].find("is damaged; it was renamed to '" + storePath() + ".damaged'"),
                  std::string::npos) << outcome.notices[0];
        EXPECT_EQ(TempFolder::bytesOf(storePath() + ".damaged"), c.bytes) << c.what;
        EXPECT_EQ(names(store().read()), std::vector<std::string>{"new"}) << c.what;
        std::filesystem::remove_all(folder_.file("data"));
    }
}

TEST_F(HistoryStoreTest, ADatabaseOfAnotherProgramIsPutAsideUntouched)
{
    std::filesystem::create_directories(folder_.file("data/Chronell"));
    sqlite3* db = nullptr;
    sqlite3_open(storePath().c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE photos(id INTEGER); INSERT INTO photos VALUES (7)", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    const RecordOutcome outcome = store().record({job("a", 2, 0)}, folder_.string(), at(1));
    EXPECT_TRUE(outcome.recorded);
    ASSERT_EQ(outcome.notices.size(), 1u);
    EXPECT_NE(outcome.notices[0].find("is not a history of this program"), std::string::npos);
    EXPECT_EQ(queryNumber(storePath() + ".damaged", "SELECT id FROM photos"), 7);
    EXPECT_EQ(names(store().read()), std::vector<std::string>{"a"});
}

TEST_F(HistoryStoreTest, AHistoryOfANewerVersionIsLeftAlone)
{
    store().record({job("a", 2, 0)}, folder_.string(), at(1));
    sqlite3* db = nullptr;
    sqlite3_open(storePath().c_str(), &db);
    sqlite3_exec(db, "UPDATE schema_version SET version = 99", nullptr, nullptr, nullptr);
    sqlite3_close(db);

    const RecordOutcome outcome = store().record({job("b", 2, 0)}, folder_.string(), at(2));
    EXPECT_FALSE(outcome.recorded);
    ASSERT_EQ(outcome.notices.size(), 1u);
    EXPECT_NE(outcome.notices[0].find("written by a newer version; this run was not recorded."), std::string::npos);
    EXPECT_EQ(queryNumber(storePath(), "SELECT count(*) FROM jobs"), 1);
    EXPECT_THROW(store().read(), ChronellError);
}

TEST_F(HistoryStoreTest, ALockedHistoryIsWaitedForThenTheRunIsSkipped)
{
    store().record({job("a", 2, 0)}, folder_.string(), at(1));
    sqlite3* other = nullptr;
    sqlite3_open(storePath().c_str(), &other);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);

    const RecordOutcome outcome = store().record({job("b", 2, 0)}, folder_.string(), at(2));
    EXPECT_FALSE(outcome.recorded);
    ASSERT_EQ(outcome.notices.size(), 1u);
    EXPECT_EQ(outcome.notices[0], "history: '" + storePath() + "' is in use by another program; this run was not recorded.");
    EXPECT_FALSE(std::filesystem::exists(storePath() + ".damaged"));

    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(store().record({job("b", 2, 0)}, folder_.string(), at(3)).recorded);
    EXPECT_EQ(names(store().read()), (std::vector<std::string>{"a", "b"}));
}

TEST_F(HistoryStoreTest, AWriterKilledInItsTransactionLeavesTheHistoryAsItWas)
{
    const std::string writer = std::string(CHRONELL_BIN_DIR) + "/history_writer" + CHRONELL_EXE_SUFFIX;
    folder_.write("jobs/monday.jobs", test::jobListText({{"first", "C:\\a.avi", "D:\\a.avi"}}));
    ASSERT_EQ(test::runProgram(writer, {storePath(), folder_.file("jobs")}, folder_.string()).status, 0);
    const std::vector<std::string> before = kept(store().read());
    ASSERT_EQ(before.size(), 1u);

    folder_.write("jobs/tuesday.jobs", test::jobListText({{"second", "C:\\b.avi", "D:\\b.avi"},
                                                          {"third", "C:\\c.avi", "D:\\c.avi"}}));
    const test::ProgramResult killed =
        test::runProgram(writer, {storePath(), folder_.file("jobs"), "die-at-commit"}, folder_.string());
    EXPECT_EQ(killed.status, 3) << killed.err;
    EXPECT_EQ(kept(store().read()), before);

    // The history goes on: the next run is recorded whole.
    ASSERT_EQ(test::runProgram(writer, {storePath(), folder_.file("jobs")}, folder_.string()).status, 0);
    EXPECT_EQ(names(store().read()), (std::vector<std::string>{"first", "second", "third"}));
}

} // namespace
} // namespace chronell::history
