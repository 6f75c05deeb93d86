#include "history/history_schema.h"

#include <array>

#include "history/sqlite_connection.h"

namespace chronell::history {

namespace {

// Each entry takes the schema from the version before it to its own
// (entry 0 makes version 1). Bytes are kept as blobs; instants are
// milliseconds since 1970 UTC; the shown date-times are the values of the
// log (days since 1899-12-30, local time).
constexpr std::array<const char*, kSchemaVersion> kMigrations{
    R"(CREATE TABLE job_files(id INTEGER PRIMARY KEY, path BLOB NOT NULL UNIQUE);
       CREATE TABLE jobs(
         id INTEGER PRIMARY KEY,
         identity INTEGER NOT NULL,
         job_file INTEGER NOT NULL REFERENCES job_files(id),
         job_id BLOB, name BLOB NOT NULL, source BLOB NOT NULL, dest BLOB NOT NULL,
         state INTEGER NOT NULL,
         start_shown REAL, end_shown REAL, start_utc INTEGER, end_utc INTEGER, duration_ms INTEGER,
         runner_name BLOB, runner_id BLOB, error BLOB,
         first_seen INTEGER NOT NULL, last_seen INTEGER NOT NULL);
       CREATE INDEX jobs_by_identity ON jobs(identity);
       CREATE INDEX jobs_by_start ON jobs(start_utc);
       CREATE TABLE pairs(
         id INTEGER PRIMARY KEY,
         first_job INTEGER NOT NULL REFERENCES jobs(id),
         second_job INTEGER NOT NULL REFERENCES jobs(id),
         first_seen INTEGER NOT NULL, last_seen INTEGER NOT NULL,
         UNIQUE(second_job, first_job));)",
    // The index of starts carries what the hours per period read, so that
    // they are read from it alone.
    R"(DROP INDEX jobs_by_start;
       CREATE INDEX jobs_by_start ON jobs(start_utc, end_utc, state, runner_name);)",
};

int storedVersion(Connection& connection, bool& hasTables)
{
    Statement tables = connection.prepare("SELECT count(*) FROM sqlite_master WHERE type = 'table'");
    tables.step();
    hasTables = tables.integer(0) > 0;
    Statement known = connection.prepare(
        "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = 'schema_version'");
    known.step();
    if (known.integer(0) == 0) return 0;
    Statement version = connection.prepare("SELECT max(version) FROM schema_version");
    return version.step() ? static_cast<int>(version.integer(0)) : 0;
}

} // namespace

SchemaCheck prepareSchema(Connection& connection)
{
    Transaction transaction(connection);
    bool hasTables = false;
    const int version = storedVersion(connection, hasTables);
    if (version > kSchemaVersion) return SchemaCheck::Newer;
    if (version == 0 && hasTables) return SchemaCheck::Foreign;
    if (version == kSchemaVersion) return SchemaCheck::Current;

    if (version == 0) connection.execute("CREATE TABLE schema_version(version INTEGER NOT NULL)");
    for (int step = version; step < kSchemaVersion; ++step) connection.execute(kMigrations[static_cast<std::size_t>(step)]);
    connection.execute("DELETE FROM schema_version");
    Statement insert = connection.prepare("INSERT INTO schema_version(version) VALUES (?)");
    insert.bind(1, std::int64_t{kSchemaVersion});
    insert.step();
    transaction.commit();
    return SchemaCheck::Current;
}

} // namespace chronell::history
