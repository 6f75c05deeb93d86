#include "history/history_store.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <limits>
#include <unordered_map>
#include <utility>

#include "analysis/processing_run.h"
#include "history/history_schema.h"
#include "history/kept_records.h"
#include "history/sqlite_connection.h"
#include "platform/chronell_error.h"
#include "platform/paths.h"
#include "platform/user_folders.h"

namespace chronell::history {

namespace {

namespace fs = std::filesystem;

std::int64_t millisecondsOf(Instant instant)
{
    return instant.time_since_epoch().count();
}

std::optional<std::int64_t> millisecondsOf(const std::optional<Instant>& instant)
{
    return instant ? std::optional<std::int64_t>(millisecondsOf(*instant)) : std::nullopt;
}

std::optional<Instant> instantOf(const std::optional<std::int64_t>& milliseconds)
{
    return milliseconds ? std::optional<Instant>(Instant(std::chrono::milliseconds(*milliseconds))) : std::nullopt;
}

std::optional<std::uint64_t> durationOf(const std::optional<std::int64_t>& milliseconds)
{
    return milliseconds ? std::optional<std::uint64_t>(static_cast<std::uint64_t>(*milliseconds)) : std::nullopt;
}

// The job's times, stored as five columns from `first` on: start and end as
// shown, start and end as instants, the duration.
void readTimes(Statement& row, int first, JobRecord& job)
{
    job.startShown = row.optionalReal(first);
    job.endShown = row.optionalReal(first + 1);
    job.startUtc = instantOf(row.optionalInteger(first + 2));
    job.endUtc = instantOf(row.optionalInteger(first + 3));
    job.durationMs = durationOf(row.optionalInteger(first + 4));
}

std::string inQuotes(const std::string& path)
{
    return "'" + path + "'";
}

// The full path of a job-list file of a run over `folder`.
std::string jobFilePath(const std::string& folder, const std::string& jobFile)
{
    const std::string joined = joinFolder(folder, jobFile);
    std::error_code error;
    const fs::path absolute = fs::absolute(fs::path(joined), error);
    return error ? joined : absolute.lexically_normal().string();
}

// Opens the history for writing, in write-ahead-log mode, its tables ready.
// Throws SqliteError; `check` tells what the file held.
std::unique_ptr<Connection> openForWriting(const std::string& path, std::chrono::milliseconds busyTimeout,
                                           SchemaCheck& check)
{
    auto connection = std::make_unique<Connection>(path, busyTimeout);
    connection->execute("PRAGMA journal_mode=WAL");
    connection->execute("PRAGMA synchronous=NORMAL");
    connection->execute("PRAGMA cache_size=-65536");
    check = prepareSchema(*connection);
    return connection;
}

// The first free name beside `path` for a file that is put aside.
std::string asideName(const std::string& path)
{
    std::error_code error;
    for (int n = 1;; ++n) {
        std::string candidate = path + ".damaged" + (n == 1 ? std::string() : "-" + std::to_string(n));
        if (!fs::exists(candidate, error) && !fs::exists(candidate + "-wal", error)) return candidate;
    }
}

// Renames the history and its log files aside; false when it cannot.
bool putAside(const std::string& path, const std::string& aside)
{
    std::error_code error;
    fs::rename(path, aside, error);
    if (error) return false;
    for (const char* suffix : {"-wal", "-shm"}) {
        std::error_code ignored;
        if (fs::exists(path + suffix, ignored)) fs::rename(path + suffix, aside + suffix, ignored);
    }
    return true;
}

// The writes of one run, inside its transaction.
class RunWriter {
public:
    RunWriter(Connection& connection, Instant seenAt)
        : connection_(connection),
          seen_(millisecondsOf(seenAt)),
          fileFind_(connection.prepare("SELECT id FROM job_files WHERE path = ?")),
          fileInsert_(connection.prepare("INSERT INTO job_files(path) VALUES (?)")),
          jobFind_(connection.prepare(
              "SELECT id, job_id, name, source, dest, start_utc FROM jobs WHERE identity = ? AND state = ?")),
          jobTouch_(connection.prepare("UPDATE jobs SET last_seen = ? WHERE id = ?")),
          jobInsert_(connection.prepare(
              "INSERT INTO jobs(identity, job_file, job_id, name, source, dest, state, start_shown, end_shown,"
              " start_utc, end_utc, duration_ms, runner_name, runner_id, error, first_seen, last_seen)"
              " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)")),
          pairFind_(connection.prepare("SELECT id FROM pairs WHERE second_job = ? AND first_job = ?")),
          pairTouch_(connection.prepare("UPDATE pairs SET last_seen = ? WHERE id = ?")),
          pairInsert_(connection.prepare(
              "INSERT INTO pairs(first_job, second_job, first_seen, last_seen) VALUES (?, ?, ?, ?)"))
    {
    }

    // The row id of the job, added or seen again.
    std::int64_t job(const JobRecord& job, const std::string& jobFilePath, RecordOutcome& outcome)
    {
        const std::int64_t identity = identityHash(job);
        jobFind_.bind(1, identity);
        jobFind_.bind(2, std::int64_t{*job.state});
        std::optional<std::int64_t> found;
        while (!found && jobFind_.step()) {
            JobRecord stored;
            stored.state = job.state;
            stored.id = jobFind_.optionalBytes(1);
            stored.name = jobFind_.bytes(2);
            stored.input = jobFind_.bytes(3);
            stored.output = jobFind_.bytes(4);
            stored.startUtc = instantOf(jobFind_.optionalInteger(5));
            if (sameIdentity(stored, job)) found = jobFind_.integer(0);
        }
        jobFind_.reset();
        if (found) {
            touch(jobTouch_, *found);
            ++outcome.jobsSeenAgain;
            return *found;
        }
        int p = 0;
        jobInsert_.bind(++p, identity);
        jobInsert_.bind(++p, fileId(jobFilePath));
        jobInsert_.bind(++p, job.id);
        jobInsert_.bind(++p, std::string_view(job.name));
        jobInsert_.bind(++p, std::string_view(job.input));
        jobInsert_.bind(++p, std::string_view(job.output));
        jobInsert_.bind(++p, std::int64_t{*job.state});
        jobInsert_.bind(++p, job.startShown);
        jobInsert_.bind(++p, job.endShown);
        jobInsert_.bind(++p, millisecondsOf(job.startUtc));
        jobInsert_.bind(++p, millisecondsOf(job.endUtc));
        jobInsert_.bind(++p, job.durationMs ? std::optional<std::int64_t>(static_cast<std::int64_t>(*job.durationMs))
                                            : std::nullopt);
        jobInsert_.bind(++p, job.runnerName);
        jobInsert_.bind(++p, job.runnerId);
        jobInsert_.bind(++p, job.error);
        jobInsert_.bind(++p, seen_);
        jobInsert_.bind(++p, seen_);
        jobInsert_.step();
        jobInsert_.reset();
        ++outcome.jobsAdded;
        return connection_.lastInsertId();
    }

    void pair(std::int64_t firstJob, std::int64_t secondJob, RecordOutcome& outcome)
    {
        pairFind_.bind(1, secondJob);
        pairFind_.bind(2, firstJob);
        const std::optional<std::int64_t> found = pairFind_.step() ? std::optional(pairFind_.integer(0)) : std::nullopt;
        pairFind_.reset();
        if (found) {
            touch(pairTouch_, *found);
            return;
        }
        pairInsert_.bind(1, firstJob);
        pairInsert_.bind(2, secondJob);
        pairInsert_.bind(3, seen_);
        pairInsert_.bind(4, seen_);
        pairInsert_.step();
        pairInsert_.reset();
        ++outcome.pairsAdded;
    }

private:
    void touch(Statement& statement, std::int64_t id)
    {
        statement.bind(1, seen_);
        statement.bind(2, id);
        statement.step();
        statement.reset();
    }

    std::int64_t fileId(const std::string& path)
    {
        if (const auto known = fileIds_.find(path); known != fileIds_.end()) return known->second;
        fileFind_.bind(1, std::string_view(path));
        std::int64_t id = 0;
        if (fileFind_.step()) {
            id = fileFind_.integer(0);
            fileFind_.reset();
        } else {
            fileFind_.reset();
            fileInsert_.bind(1, std::string_view(path));
            fileInsert_.step();
            fileInsert_.reset();
            id = connection_.lastInsertId();
        }
        fileIds_.emplace(path, id);
        return id;
    }

    Connection& connection_;
    std::int64_t seen_;
    Statement fileFind_;
    Statement fileInsert_;
    Statement jobFind_;
    Statement jobTouch_;
    Statement jobInsert_;
    Statement pairFind_;
    Statement pairTouch_;
    Statement pairInsert_;
    std::unordered_map<std::string, std::int64_t> fileIds_;
};

// The history's answer to a write: done, or what to tell the user.
enum class WriteResult { Done, Damaged, Foreign, Newer };

WriteResult writeRun(const std::string& path, std::chrono::milliseconds busyTimeout, const KeptRecords& kept,
                     const std::string& folder, Instant seenAt, RecordOutcome& outcome)
{
    SchemaCheck check = SchemaCheck::Current;
    std::unique_ptr<Connection> connection;
    try {
        connection = openForWriting(path, busyTimeout, check);
    } catch (const SqliteError& error) {
        if (error.damaged()) return WriteResult::Damaged;
        throw;
    }
    if (check == SchemaCheck::Newer) return WriteResult::Newer;
    if (check == SchemaCheck::Foreign) return WriteResult::Foreign;

    RecordOutcome counts;
    try {
        Transaction transaction(*connection);
        RunWriter writer(*connection, seenAt);
        std::vector<std::int64_t> ids;
        ids.reserve(kept.jobs.size());
        std::unordered_map<std::string, std::string> paths;  // job file name -> full path
        for (const JobRecord* job : kept.jobs) {
            auto [at, added] = paths.try_emplace(job->jobFile);
            if (added) at->second = jobFilePath(folder, job->jobFile);
            ids.push_back(writer.job(*job, at->second, counts));
        }
        for (const KeptPair& pair : kept.pairs) writer.pair(ids[pair.first], ids[pair.second], counts);
        transaction.commit();
    } catch (const SqliteError& error) {
        if (error.damaged()) return WriteResult::Damaged;
        throw;
    }
    counts.notices = std::move(outcome.notices);
    outcome = std::move(counts);
    outcome.recorded = true;
    return WriteResult::Done;
}

// The row of a two-pass pair, as a run makes it from its two jobs.
JobRecord pairRow(const JobRecord& first, const JobRecord& second)
{
    JobRecord row;
    row.twoPass = true;
    row.name = "2pass";
    row.input = second.input;
    row.output = second.output;
    row.startUtc = first.startUtc;
    row.startShown = first.startShown;
    row.endUtc = second.endUtc;
    row.endShown = second.endShown;
    if (first.durationMs || second.durationMs)
        row.durationMs = first.durationMs.value_or(0) + second.durationMs.value_or(0);
    row.jobFile = second.jobFile;
    return row;
}

// Makes `connection` one that only reads; throws unless it is to a history
// of this program's version.
void prepareForReading(Connection& connection, const std::string& path)
{
    connection.execute("PRAGMA query_only=1");
    connection.execute("PRAGMA cache_size=-65536");
    connection.execute("PRAGMA mmap_size=1073741824");
    Statement version = connection.prepare(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'schema_version'");
    version.step();
    if (version.integer(0) == 0) throw ChronellError("history: " + inQuotes(path) + " is not a history of this program");
    Statement versionValue = connection.prepare("SELECT max(version) FROM schema_version");
    if (versionValue.step() && versionValue.integer(0) > kSchemaVersion)
        throw ChronellError("history: " + inQuotes(path) + " was written by a newer version");
}

// The condition on starts of the ends that `range` has (?1 its since, ?2
// its until); "" for an open range.
std::string startCondition(const HistoryRange& range)
{
    if (range.since && range.until) return "start_utc >= ?1 AND start_utc < ?2";
    if (range.since) return "start_utc >= ?1";
    if (range.until) return "start_utc < ?2";
    return "";
}

void bindStartBounds(Statement& statement, const HistoryRange& range)
{
    if (range.since) statement.bind(1, millisecondsOf(*range.since));
    if (range.until) statement.bind(2, millisecondsOf(*range.until));
}

// Rows from the first to the last job of `range`, found through the index
// of starts; an open end is left open rather than searched for. None when
// the range holds no job.
std::optional<std::pair<std::int64_t, std::int64_t>> rowSpan(Connection& connection, const HistoryRange& range)
{
    constexpr std::int64_t kFirst = std::numeric_limits<std::int64_t>::min();
    constexpr std::int64_t kLast = std::numeric_limits<std::int64_t>::max();
    if (!range.since && !range.until) return std::pair{kFirst, kLast};
    const std::string first = range.since ? "min(id)" : "NULL";
    const std::string last = range.until ? "max(id)" : "NULL";
    Statement span = connection.prepare("SELECT count(*), " + first + ", " + last
                                        + " FROM jobs INDEXED BY jobs_by_start WHERE " + startCondition(range));
    bindStartBounds(span, range);
    if (!span.step() || span.integer(0) == 0) return std::nullopt;
    return std::pair{span.optionalInteger(1).value_or(kFirst), span.optionalInteger(2).value_or(kLast)};
}

// `select` (columns of jobs, from jobs) for the jobs of `range` in the order
// recorded, read along the rows of `rows`, which spares sorting them.
Statement rangeRows(Connection& connection, const HistoryRange& range, std::pair<std::int64_t, std::int64_t> rows,
                    const std::string& select)
{
    const std::string condition = startCondition(range);
    Statement jobs = connection.prepare(select + " WHERE jobs.id BETWEEN ?3 AND ?4"
                                        + (condition.empty() ? "" : " AND " + condition) + " ORDER BY jobs.id");
    bindStartBounds(jobs, range);
    jobs.bind(3, rows.first);
    jobs.bind(4, rows.second);
    return jobs;
}

// The file-name parts of the job files, by their row, read as they are
// first met: a job's file is one number of its row, not a path to copy.
class JobFileNames {
public:
    explicit JobFileNames(Connection& connection)
        : find_(connection.prepare("SELECT path FROM job_files WHERE id = ?"))
    {
    }

    const std::string& of(std::int64_t file)
    {
        // A file's jobs follow one another.
        if (last_ != names_.end() && last_->first == file) return last_->second;
        last_ = names_.find(file);
        if (last_ != names_.end()) return last_->second;
        find_.bind(1, file);
        if (find_.step()) find_.bytes(0, path_);
        else path_.clear();
        find_.reset();
        last_ = names_.emplace(file, std::string(hostFileNamePart(path_))).first;
        return last_->second;
    }

private:
    Statement find_;
    std::unordered_map<std::int64_t, std::string> names_;
    std::unordered_map<std::int64_t, std::string>::iterator last_ = names_.end();
    std::string path_;
};

// Opens the history at `path` for reading; calls `read` with the connection
// unless there is no file yet.
template <typename Read>
void readHistory(const std::string& path, std::chrono::milliseconds busyTimeout, Read read)
{
    std::error_code missing;
    if (!fs::exists(path, missing)) return;
    try {
        Connection connection(path, busyTimeout);
        prepareForReading(connection, path);
        read(connection);
    } catch (const SqliteError& error) {
        throw ChronellError("history: cannot read " + inQuotes(path) + ": " + error.what());
    }
}

} // namespace

HistoryStore::HistoryStore(std::string path, std::chrono::milliseconds busyTimeout)
    : path_(std::move(path)), busyTimeout_(busyTimeout)
{
}

RecordOutcome HistoryStore::record(const std::vector<JobRecord>& records, const std::string& folder, Instant seenAt)
{
    RecordOutcome outcome;
    const std::string notRecorded = "; this run was not recorded.";
    try {
        const KeptRecords kept = keptRecords(records);
        createUserFolders(std::string(hostFolderPart(path_)));
        // A damaged file is put aside once, and the run written to a new one.
        for (int attempt = 0; attempt < 2; ++attempt) {
            const WriteResult result = writeRun(path_, busyTimeout_, kept, folder, seenAt, outcome);
            if (result == WriteResult::Done) return outcome;
            if (result == WriteResult::Newer) {
                outcome.notices.push_back("history: " + inQuotes(path_) + " was written by a newer version" + notRecorded);
                return outcome;
            }
            const std::string what = result == WriteResult::Damaged ? " is damaged" : " is not a history of this program";
            if (attempt > 0) break;
            const std::string aside = asideName(path_);
            if (!putAside(path_, aside)) {
                outcome.notices.push_back("history: " + inQuotes(path_) + what + " and cannot be renamed" + notRecorded);
                return outcome;
            }
            outcome.notices.push_back("history: " + inQuotes(path_) + what + "; it was renamed to " + inQuotes(aside)
                                      + " and a new history started.");
        }
        outcome.notices.push_back("history: " + inQuotes(path_) + " cannot be written" + notRecorded);
    } catch (const SqliteError& error) {
        if (error.locked())
            outcome.notices.push_back("history: " + inQuotes(path_) + " is in use by another program" + notRecorded);
        else
            outcome.notices.push_back("history: cannot write " + inQuotes(path_) + ": " + error.what() + notRecorded);
    } catch (const std::exception& error) {
        outcome.notices.push_back("history: cannot write " + inQuotes(path_) + ": " + error.what() + notRecorded);
    }
    return outcome;
}

std::vector<JobRecord> HistoryStore::read(const HistoryRange& range) const
{
    std::vector<JobRecord> records;
    forEach(range, [&records](const JobRecord& record) { records.push_back(record); });
    return records;
}

void HistoryStore::forEach(const HistoryRange& range, const std::function<void(const JobRecord&)>& use) const
{
    readHistory(path_, busyTimeout_, [&range, &use](Connection& connection) {
        const auto rows = rowSpan(connection, range);
        if (!rows) return;

        // Every pair as (second job, first job), by second job; the first
        // jobs' records are kept until their pairs are made.
        std::vector<std::pair<std::int64_t, std::int64_t>> pairs;
        std::unordered_map<std::int64_t, JobRecord> firstJobs;
        // Those of the range's rows only.
        Statement pairRows = connection.prepare(
            "SELECT second_job, first_job FROM pairs WHERE second_job BETWEEN ?1 AND ?2 ORDER BY second_job, id");
        pairRows.bind(1, rows->first);
        pairRows.bind(2, rows->second);
        while (pairRows.step()) {
            pairs.emplace_back(pairRows.integer(0), pairRows.integer(1));
            firstJobs.try_emplace(pairs.back().second);
        }

        Statement jobs = rangeRows(connection, range, *rows,
                                   "SELECT id, job_file, job_id, name, source, dest, state, start_shown, end_shown,"
                                   " start_utc, end_utc, duration_ms, runner_name, runner_id, error FROM jobs NOT INDEXED");
        JobFileNames fileNames(connection);
        // One record, its texts' memory reused from job to job.
        JobRecord job;
        int row = 0;
        auto pair = pairs.begin();
        while (jobs.step()) {
            const std::int64_t id = jobs.integer(0);
            job.row = ++row;
            job.jobFile = fileNames.of(jobs.integer(1));
            jobs.optionalBytes(2, job.id);
            jobs.bytes(3, job.name);
            jobs.bytes(4, job.input);
            jobs.bytes(5, job.output);
            job.state = static_cast<std::int32_t>(jobs.integer(6));
            readTimes(jobs, 7, job);
            jobs.optionalBytes(12, job.runnerName);
            jobs.optionalBytes(13, job.runnerId);
            jobs.optionalBytes(14, job.error);
            use(job);
            if (const auto first = firstJobs.find(id); first != firstJobs.end()) first->second = job;

            // The job's pairs whose first job was in the range too (a
            // pair's first job was recorded before its second).
            for (; pair != pairs.end() && pair->first < id; ++pair) {}
            for (; pair != pairs.end() && pair->first == id; ++pair) {
                const JobRecord& first = firstJobs[pair->second];
                if (first.row == 0) continue;
                JobRecord twoPass = pairRow(first, job);
                twoPass.row = ++row;
                use(twoPass);
            }
        }
    });
}

void HistoryStore::forEachJobSummed(const HistoryRange& range, const std::function<void(const JobRecord&)>& use) const
{
    readHistory(path_, busyTimeout_, [&range, &use](Connection& connection) {
        const auto rows = rowSpan(connection, range);
        if (!rows) return;
        Statement jobs = rangeRows(connection, range, *rows,
                                   "SELECT job_file, name, state, start_shown, end_shown, start_utc, end_utc,"
                                   " duration_ms, runner_name, error FROM jobs NOT INDEXED");
        JobFileNames fileNames(connection);
        JobRecord job;
        int row = 0;
        while (jobs.step()) {
            job.row = ++row;
            job.jobFile = fileNames.of(jobs.integer(0));
            jobs.bytes(1, job.name);
            job.state = static_cast<std::int32_t>(jobs.integer(2));
            readTimes(jobs, 3, job);
            jobs.optionalBytes(8, job.runnerName);
            jobs.optionalBytes(9, job.error);
            use(job);
        }
    });
}

void HistoryStore::forEachTimes(const HistoryRange& range, const std::function<void(const JobRecord&)>& use) const
{
    readHistory(path_, busyTimeout_, [&range, &use](Connection& connection) {
        // From the index of starts, which holds these columns: the order
        // does not matter here.
        const std::string condition = startCondition(range);
        Statement jobs = connection.prepare(
            condition.empty() ? "SELECT start_utc, end_utc, state, runner_name FROM jobs"
                              : "SELECT start_utc, end_utc, state, runner_name FROM jobs INDEXED BY jobs_by_start WHERE "
                                    + condition);
        bindStartBounds(jobs, range);
        JobRecord job;
        while (jobs.step()) {
            job.startUtc = instantOf(jobs.optionalInteger(0));
            job.endUtc = instantOf(jobs.optionalInteger(1));
            job.state = static_cast<std::int32_t>(jobs.integer(2));
            jobs.optionalBytes(3, job.runnerName);
            use(job);
        }
    });
}

} // namespace chronell::history
