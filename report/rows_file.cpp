#include "report/rows_file.h"

#include "platform/atomic_file.h"
#include "platform/output_mode.h"
#include "report/text_sink.h"

namespace chronell::report {

bool writeRowsFile(const std::string& path, ExportFormat format, const GridRows& rows,
                   std::optional<Instant> now, std::error_code& error)
{
    AtomicFile file(path);
    const bool textMode = format != ExportFormat::Csv;
    {
        TextSink sink([&](std::string_view block) {
            return textMode ? file.write(withHostLineBreaks(block)) : file.write(block);
        });
        writeRows(format, rows, sink, now);
    }
    const bool written = file.commit();
    error = file.error();
    return written;
}

} // namespace chronell::report
