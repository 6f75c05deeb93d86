#pragma once
// Judges jobs left behind by a runner of this computer whose process has
// ended, asking this computer's process table.
#include "report/row_export.h"

namespace chronell {

report::LeftBehindTest leftBehindOnThisComputer();

} // namespace chronell
