#pragma once
// Every row of a grid (a store, or what holds one), header first, empty rows included.
#include <vector>

#include "report/grid_store.h"

namespace chronell::test {

template <typename Grid>
std::vector<report::GridStore::Row> gridRows(const Grid& grid)
{
    std::vector<report::GridStore::Row> rows;
    for (int row = 0; row < grid.rowCount(); ++row) rows.push_back(grid.row(row));
    return rows;
}

} // namespace chronell::test
