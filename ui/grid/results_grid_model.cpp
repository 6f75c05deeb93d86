#include "ui/grid/results_grid_model.h"

#include <QFont>

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "report/running_jobs.h"
#include "ui/text/display_text.h"

namespace chronell {

ResultsGridModel::ResultsGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultsGridModel::setGridRowCount(int rows)
{
    const int oldCount = store_.rowCount();
    const int newCount = std::max(rows, 1);
    if (newCount == oldCount) return;
    // Model rows are grid rows less the header row.
    if (batching_) {
        store_.setRowCount(newCount);
    } else if (newCount > oldCount) {
        beginInsertRows({}, oldCount - 1, newCount - 2);
        store_.setRowCount(newCount);
        endInsertRows();
    } else {
        beginRemoveRows({}, newCount - 1, oldCount - 2);
        store_.setRowCount(newCount);
        endRemoveRows();
    }
}

void ResultsGridModel::setCell(int column, int row, std::string_view text)
{
    store_.setCell(row, column, text);
    if (batching_) return;
    if (row == 0) {
        emit headerDataChanged(Qt::Horizontal, column, column);
    } else {
        const QModelIndex cell = this->index(row - 1, column);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

void ResultsGridModel::beginBatch()
{
    beginResetModel();
    batching_ = true;
}

void ResultsGridModel::endBatch()
{
    batching_ = false;
    endResetModel();
}

int ResultsGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridRowCount() - 1;
}

int ResultsGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kGridColumns;
}

QString ResultsGridModel::cellText(int column, int row) const
{
    return shownText(cell(column, row));
}

namespace {

QVariant instantValue(const std::optional<Instant>& instant)
{
    return instant ? QVariant(static_cast<qlonglong>(instant->time_since_epoch().count())) : QVariant();
}

} // namespace

QVariant ResultsGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int row = index.row() + 1;
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        if (column == ColDur)
            if (const auto running = runningMsOf(row)) return QString::fromStdString(report::clockText(*running));
        return cellText(column, row);
    case Qt::FontRole:
        if (column == ColDur && runningMsOf(row)) {
            QFont italic;
            italic.setItalic(true);
            return italic;
        }
        return {};
    case RecordRole: {
        const JobRecord* record = recordOf(row);
        return record ? QVariant::fromValue(record) : QVariant();
    }
    case SortRole: {
        const JobRecord* record = recordOf(row);
        if (column == ColStart) return record ? instantValue(record->startUtc) : QVariant();
        if (column == ColEnd) return record ? instantValue(record->endUtc) : QVariant();
        if (column == ColDur)
            return record && record->durationMs ? QVariant(static_cast<qulonglong>(*record->durationMs)) : QVariant();
        return cellText(column, row);
    }
    case Qt::ToolTipRole: {
        const JobRecord* record = recordOf(row);
        if (!record) return {};
        if (column == ColSource && !record->input.empty()) return shownText(record->input);
        if (column == ColDest && !record->output.empty()) return shownText(record->output);
        if (column == ColDur)
            if (const auto running = runningMsOf(row))
                return QStringLiteral("running for %1").arg(QString::fromStdString(report::clockText(*running)));
        if (column == ColStatus && record->leftBehind)
            return QStringLiteral("Left behind: its runner %1 no longer runs on this computer")
                .arg(shownText(record->runnerName.value_or(std::string())));
        if (column == ColStatus && record->error && !record->error->empty()) return shownText(*record->error);
        return {};
    }
    default:
        return {};
    }
}

std::optional<std::uint64_t> ResultsGridModel::runningMsOf(int row) const
{
    const JobRecord* record = recordOf(row);
    if (!record || !now_) return std::nullopt;
    return report::runningMs(*record, *now_);
}

void ResultsGridModel::setNow(std::optional<Instant> now)
{
    now_ = now;
    if (batching_) return;
    for (const JobRecord& record : store_.records().all()) {
        if (!report::isRunning(record)) continue;
        const QModelIndex cell = index(record.row - 1, ColDur);
        emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::FontRole, Qt::ToolTipRole});
    }
}

bool ResultsGridModel::hasRunningJobs() const
{
    const auto& all = store_.records().all();
    return std::any_of(all.begin(), all.end(), [](const JobRecord& record) { return report::isRunning(record); });
}

QVariant ResultsGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= kGridColumns) return {};
    return cellText(section, 0);
}

Qt::ItemFlags ResultsGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace chronell
