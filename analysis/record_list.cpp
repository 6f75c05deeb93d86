#include "analysis/record_list.h"

#include <algorithm>

namespace chronell {

const JobRecord* RecordList::ofRow(int row) const
{
    const auto found = std::lower_bound(records_.begin(), records_.end(), row,
                                        [](const JobRecord& record, int r) { return record.row < r; });
    return found != records_.end() && found->row == row ? &*found : nullptr;
}

void RecordList::dropBelow(int row)
{
    const auto kept = std::lower_bound(records_.begin(), records_.end(), row,
                                       [](const JobRecord& record, int r) { return record.row < r; });
    records_.erase(records_.begin(), kept);
}

} // namespace chronell
