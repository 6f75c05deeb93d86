#pragma once
// The Qt model over the results grid's store: row 0 of the store is the
// header row, shown as the view's header; rows 1 onwards are the view's
// rows. The grid printer writes into the store during a run, inside a batch;
// the model answers data() by column and role from the store: the display
// text, the row's record, a value to sort by, and a tooltip (the full path
// of Source and Dest, a failed job's error).
#include <QAbstractTableModel>
#include <QMetaType>

#include <optional>
#include <string_view>

#include "analysis/instant.h"
#include "report/grid_store.h"

namespace chronell {

class ResultsGridModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Role : int {
        // The row's record as QVariant::fromValue(const JobRecord*); a null
        // QVariant for a row without one.
        RecordRole = Qt::UserRole + 1,
        // What sorts the column by meaning: Start and End by instant (ms
        // since the epoch), Dur by milliseconds, the others by display text.
        SortRole = Qt::UserRole + 2,
    };

    explicit ResultsGridModel(QObject* parent = nullptr);

    // The store; written to directly only between beginBatch and endBatch.
    report::GridStore& store() { return store_; }
    const report::GridStore& store() const { return store_; }
    // The record of a row, or null.
    const JobRecord* recordOf(int row) const { return store_.records().ofRow(row); }

    // The grid's row count, header row included; 2 when created.
    int gridRowCount() const { return store_.rowCount(); }
    // A value below 1 is taken as 1; new rows are empty, dropped rows lose their texts.
    void setGridRowCount(int rows);
    void setCell(int column, int row, std::string_view text);
    // A cell's bytes as they were written, empty for a row never written;
    // row 0 is the header row.
    std::string_view cell(int column, int row) const { return store_.cell(row, column); }

    // The time that running jobs' times so far are measured to: their Dur
    // cells show it in italics ("running for ..." as their tooltip). Only
    // the Dur cells of running rows are told of a new time.
    void setNow(std::optional<Instant> now);
    bool hasRunningJobs() const;

    // Between these two the model tells the view nothing; the view takes the
    // changes in one reset at the end. A run writes tens of thousands of
    // cells, which one notice each would make slow.
    void beginBatch();
    void endBatch();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A cell's text as the grid shows it.
    QString cellText(int column, int row) const;

    // How long a running row's job has run at the time set, if it runs.
    std::optional<std::uint64_t> runningMsOf(int row) const;

    report::GridStore store_;
    bool batching_ = false;
    std::optional<Instant> now_;
};

} // namespace chronell

Q_DECLARE_METATYPE(const chronell::JobRecord*)
