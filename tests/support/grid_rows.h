#pragma once
// Every row of an in-memory grid, header first, empty rows included.
#include <vector>

#include "analysis/in_memory_target.h"

namespace chronell::test {

inline std::vector<InMemoryTarget::Row> gridRows(const InMemoryTarget& target)
{
    std::vector<InMemoryTarget::Row> rows;
    for (int row = 0; row < target.rowCount(); ++row) rows.push_back(target.row(row));
    return rows;
}

} // namespace chronell::test
