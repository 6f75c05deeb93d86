#include "ui/window/results_export.h"

#include <QSaveFile>

#include "platform/chronell_error.h"
#include "report/text_sink.h"
#include "ui/grid/results_grid_model.h"
#include "ui/text/display_text.h"

namespace chronell {

int WindowGridRows::rowCount() const
{
    return model_.gridRowCount();
}

std::string_view WindowGridRows::cell(int row, int column) const
{
    return model_.cell(column, row);
}

void saveResults(const report::GridRows& rows, report::ExportFormat format, const QString& path,
                 std::optional<Instant> runTime)
{
    QSaveFile file(path);
    const auto fail = [&] {
        file.cancelWriting();
        throw ChronellError("Unable to write to " + textBytes(path) + ": " + textBytes(file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly)) fail();
    {
        report::TextSink sink([&file](std::string_view block) {
            return file.write(block.data(), static_cast<qint64>(block.size())) == static_cast<qint64>(block.size());
        });
        report::writeRows(format, rows, sink, runTime);
        if (!sink.flush()) fail();
    }
    if (!file.commit()) fail();
}

} // namespace chronell
