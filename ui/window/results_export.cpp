#include "ui/window/results_export.h"

#include <system_error>

#include "platform/chronell_error.h"
#include "report/rows_file.h"
#include "ui/text/display_text.h"
#include "ui/text/path_bytes.h"

namespace chronell {

void saveResults(const report::GridRows& rows, report::ExportFormat format, const QString& path,
                 std::optional<Instant> runTime)
{
    std::error_code error;
    if (!report::writeRowsFile(pathBytes(path), format, rows, runTime, error))
        throw ChronellError("Unable to write to " + textBytes(path), error);
}

} // namespace chronell
