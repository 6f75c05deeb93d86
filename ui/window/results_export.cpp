#include "ui/window/results_export.h"

#include "platform/atomic_file.h"
#include "platform/chronell_error.h"
#include "platform/output_mode.h"
#include "report/text_sink.h"
#include "ui/text/display_text.h"
#include "ui/text/path_bytes.h"

namespace chronell {

void saveResults(const report::GridRows& rows, report::ExportFormat format, const QString& path,
                 std::optional<Instant> runTime)
{
    AtomicFile file(pathBytes(path));
    // The bytes chronell-report prints: TSV and JSON through a text-mode
    // stream, CSV with its own CR LF.
    const bool textMode = format != report::ExportFormat::Csv;
    {
        report::TextSink sink([&](std::string_view block) {
            return textMode ? file.write(withHostLineBreaks(block)) : file.write(block);
        });
        report::writeRows(format, rows, sink, runTime);
    }
    if (!file.commit())
        throw ChronellError("Unable to write to " + textBytes(path), file.error());
}

} // namespace chronell
