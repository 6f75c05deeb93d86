#pragma once
// The history's tables, brought to this program's version step by step.
namespace chronell::history {

class Connection;

// The schema version this program writes.
inline constexpr int kSchemaVersion = 2;

// What was found in the file before any change.
enum class SchemaCheck {
    Current,    // at kSchemaVersion (migrated when it was older)
    Newer,      // written by a later program: left untouched
    Foreign,    // tables of something else: left untouched
};

// Creates the tables of an empty database or runs the migrations that an
// older one lacks, inside a transaction of their own.
SchemaCheck prepareSchema(Connection& connection);

} // namespace chronell::history
