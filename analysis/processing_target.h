#pragma once
// The seam between the engine and its surroundings: the operations of the
// log, the results grid and the input row that a processing run uses.
// The window implements it over its controls; the report and the tests over
// an in-memory grid and log.
#include <string>
#include <string_view>

namespace chronell {

inline constexpr int kGridColumns = 8;

enum GridColumn : int { ColName, ColSource, ColDest, ColStart, ColEnd, ColStatus, ColDur, ColJobfile };

class ProcessingTarget {
public:
    virtual ~ProcessingTarget() = default;

    // Log.
    virtual void appendLogLine(std::string_view line) = 0;
    virtual void clearLog() = 0;

    // Results grid. Row 0 is the header. setRowCount takes a value below 1 as 1;
    // raising it appends empty rows, lowering it drops rows with their texts.
    virtual int rowCount() const = 0;
    virtual void setRowCount(int rows) = 0;
    virtual void setCell(int column, int row, std::string_view text) = 0;
    virtual void focusGrid() = 0;

    // Input row.
    virtual std::string folderText() const = 0;
    virtual std::string maskText() const = 0;
    virtual bool formattedTimeTicked() const = 0;
    virtual bool clearLogTicked() const = 0;
};

} // namespace chronell
