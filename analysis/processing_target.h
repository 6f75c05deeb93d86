#pragma once
// The seam between the engine and its surroundings: the log and the results
// grid that a processing run writes to, and the records of its rows. The
// window implements it over its controls; the report and the tests over an
// in-memory grid and log.
#include <string>
#include <string_view>
#include <system_error>

#include "analysis/job_record.h"

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

    // The values of a job row or two-pass row, handed over after its cells
    // when the target keeps records. A later lowering of the row count drops
    // the records of the rows it drops.
    virtual bool keepsRecords() const { return true; }
    virtual void addRecord(JobRecord record) = 0;

    // A file of the run that could not be read, with the system's reason
    // (its log block says "Can't open file, or file is empty.").
    virtual void fileNotRead(const std::string& /*path*/, std::error_code /*reason*/) {}
};

} // namespace chronell
