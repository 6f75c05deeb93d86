#pragma once
// The results grid's columns and the captions of its header row.
#include <array>
#include <string_view>

namespace chronell {

inline constexpr int kGridColumns = 8;

enum GridColumn : int { ColName, ColSource, ColDest, ColStart, ColEnd, ColStatus, ColDur, ColJobfile };

// "Name,Source,Dest,Start,End,Status,Dur,Jobfile", one caption a column.
inline constexpr std::array<std::string_view, kGridColumns> kGridCaptions{
    "Name", "Source", "Dest", "Start", "End", "Status", "Dur", "Jobfile"};

} // namespace chronell
