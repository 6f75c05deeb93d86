#pragma once
// The save dialog of Save Results As: a file name and the format of the
// filter chosen with it.
#include <QString>

#include <functional>
#include <optional>

#include "report/row_export.h"

namespace chronell {

struct SaveChoice {
    QString path;
    report::ExportFormat format = report::ExportFormat::Csv;
};

// The format a file name asks for by its extension (.csv, .tsv, .json, in
// any case), else `chosen`.
report::ExportFormat formatForPath(const QString& path, report::ExportFormat chosen);

// Asks where to save, opening in `startFolder`; nothing when the user cancelled.
using SaveDialog = std::function<std::optional<SaveChoice>(const QString& startFolder)>;

// Qt's save dialog with a filter per format, modal to the whole program.
std::optional<SaveChoice> showSaveResultsDialog(const QString& startFolder);

} // namespace chronell
