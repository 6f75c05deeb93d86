#include "report/row_stream.h"

namespace chronell::report {

RowStream::RowStream(GridStore& store, ExportFormat format, TextSink& sink, std::optional<Instant> now,
                     LeftBehindTest leftBehind)
    : store_(store), exporter_(format, sink, now, std::move(leftBehind))
{
}

void RowStream::job(const JobEvent& event)
{
    if (event.read == JobRead::Whole) printBelow(event.record.row + 1);
}

void RowStream::pair(const JobRecord& record)
{
    printBelow(record.row + 1);
}

void RowStream::runEnded()
{
    finish();
}

void RowStream::runStopped()
{
    finish();
}

void RowStream::printBelow(int row)
{
    for (; printed_ < row; ++printed_) exporter_.row(store_, printed_);
    store_.forgetBelow(printed_);
}

void RowStream::finish()
{
    printBelow(store_.rowCount());
    exporter_.finish();
}

} // namespace chronell::report
