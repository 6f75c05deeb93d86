#include "report/row_stream.h"

namespace chronell::report {

RowStream::RowStream(GridStore& store, ExportFormat format, TextSink& sink, std::optional<Instant> now,
                     LeftBehindTest leftBehind)
    : store_(store), exporter_(format, sink, now, std::move(leftBehind))
{
}

void RowStream::job(const JobEvent& event)
{
    if (event.read == JobRead::Whole) printTo(event.record);
}

void RowStream::pair(const JobRecord& record)
{
    printTo(record);
}

void RowStream::runEnded()
{
    finish();
}

void RowStream::runStopped()
{
    finish();
}

const JobRecord* RowStream::record(int row) const
{
    return handled_ && handled_->row == row ? handled_ : store_.record(row);
}

void RowStream::printBelow(int row)
{
    for (; printed_ < row; ++printed_) exporter_.row(*this, printed_);
    store_.forgetBelow(printed_);
}

void RowStream::printTo(const JobRecord& record)
{
    handled_ = &record;
    printBelow(record.row + 1);
    handled_ = nullptr;
}

void RowStream::finish()
{
    printBelow(store_.rowCount());
    exporter_.finish();
}

} // namespace chronell::report
