#include "ui/window/save_results_dialog.h"

#include <QApplication>
#include <QFileDialog>

#include <algorithm>
#include <array>

namespace chronell {

namespace {

struct FormatFilter {
    const char* filter;
    const char* suffix;
    report::ExportFormat format;
};

constexpr std::array<FormatFilter, 3> kFilters{{
    {"Comma-separated values (*.csv)", "csv", report::ExportFormat::Csv},
    {"Tab-separated values (*.tsv)", "tsv", report::ExportFormat::Tsv},
    {"JSON (*.json)", "json", report::ExportFormat::Json},
}};

} // namespace

report::ExportFormat formatForPath(const QString& path, report::ExportFormat chosen)
{
    for (const FormatFilter& entry : kFilters) {
        if (path.endsWith(u'.' + QString::fromLatin1(entry.suffix), Qt::CaseInsensitive)) return entry.format;
    }
    return chosen;
}

std::optional<SaveChoice> showSaveResultsDialog(const QString& startFolder)
{
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Save Results As"), startFolder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const FormatFilter& entry : kFilters) filters << QString::fromLatin1(entry.filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QString::fromLatin1(kFilters[0].suffix));
    // A name typed without a suffix takes the chosen filter's.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString& filter) {
        const auto chosen = static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(filter)));
        dialog.setDefaultSuffix(QString::fromLatin1(kFilters[chosen].suffix));
    });
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const auto chosen = static_cast<std::size_t>(std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
    return SaveChoice{dialog.selectedFiles().first(), kFilters[chosen].format};
}

} // namespace chronell
