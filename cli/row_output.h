#pragma once
// The results grid written as TSV, RFC 4180 CSV or JSON.
#include <string>
#include <deque>

#include "analysis/in_memory_target.h"

namespace chronell::report {

// All rows, header first, cells separated by tabs, bytes as they are.
std::string rowsAsTsv(const std::deque<InMemoryTarget::Row>& rows);

// All rows, header first, quoted where needed, CR LF line ends.
std::string rowsAsCsv(const std::deque<InMemoryTarget::Row>& rows);

// The data rows (no header) as an array of objects, texts as UTF-8.
std::string rowsAsJson(const std::deque<InMemoryTarget::Row>& rows);

} // namespace chronell::report
