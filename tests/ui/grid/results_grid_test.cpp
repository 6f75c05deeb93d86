// The results grid: row-count rules, cells, display text, the one reset
// of a batch, the view's widths, rows, selection and editing, sorting by
// value, the filter, tooltips and status colours.
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <vector>
#include <string>

#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"
#include "ui/grid/results_order.h"
#include "ui/grid/status_colours.h"

namespace {

using chronell::ColDur;
using chronell::ColName;
using chronell::ResultsGridModel;
using chronell::ResultsGridView;
using chronell::test::sendMouse;
using chronell::test::settle;

QString cellText(const ResultsGridModel& model, int column, int row)
{
    return model.index(row - 1, column).data().toString();
}

TEST(ResultsGridModel, StartsWithTheHeaderRowAndOneEmptyDataRow)
{
    ResultsGridModel model;
    EXPECT_EQ(model.gridRowCount(), 2);
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(model.columnCount(), 8);
    EXPECT_EQ(cellText(model, 0, 1), "");
}

TEST(ResultsGridModel, RowCountBelowOneIsTakenAsOne)
{
    struct Case {
        int set;
        int gridRows;
    };
    const Case cases[] = {{5, 5}, {2, 2}, {1, 1}, {0, 1}, {-7, 1}, {100000, 100000}, {3, 3}};
    ResultsGridModel model;
    for (const Case& c : cases) {
        model.setGridRowCount(c.set);
        EXPECT_EQ(model.gridRowCount(), c.gridRows) << c.set;
        EXPECT_EQ(model.rowCount(), c.gridRows - 1) << c.set;
    }
}

TEST(ResultsGridModel, RaisedRowsAreEmptyEvenWhereDroppedRowsHadText)
{
    ResultsGridModel model;
    model.setGridRowCount(5);
    for (int row = 1; row < 5; ++row)
        for (int column = 0; column < 8; ++column) model.setCell(column, row, "r" + std::to_string(row));
    model.setGridRowCount(2);
    EXPECT_EQ(cellText(model, 3, 1), "r1");  // row 1 keeps its texts
    model.setGridRowCount(5);
    for (int row = 2; row < 5; ++row)
        for (int column = 0; column < 8; ++column) EXPECT_EQ(cellText(model, column, row), "") << column << "," << row;
}

TEST(ResultsGridModel, RowsNeverWrittenHoldNoStorage)
{
    // What a file of empty lines under a count of two billion could reserve.
    ResultsGridModel model;
    model.setGridRowCount(2'000'000'000);
    model.setCell(ColName, 1, "first");
    model.setCell(ColDur, 1999999999, "");
    EXPECT_EQ(model.gridRowCount(), 2'000'000'000);
    EXPECT_EQ(cellText(model, ColName, 1), "first");
    EXPECT_EQ(cellText(model, ColName, 1999999999), "");
    EXPECT_THROW(model.setCell(ColName, 2'000'000'000, "past the end"), std::out_of_range);
    model.setGridRowCount(2);
    EXPECT_EQ(cellText(model, ColName, 1), "first");
}

TEST(ResultsGridModel, HeaderTextsSurviveRowCountChanges)
{
    ResultsGridModel model;
    model.setCell(0, 0, "Name");
    model.setCell(7, 0, "Jobfile");
    model.setGridRowCount(1);
    model.setGridRowCount(10);
    model.setGridRowCount(2);
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), "Name");
    EXPECT_EQ(model.headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(), "Jobfile");
}

TEST(ResultsGridModel, CellsCannotBeEdited)
{
    ResultsGridModel model;
    const Qt::ItemFlags flags = model.flags(model.index(0, 0));
    EXPECT_FALSE(flags.testFlag(Qt::ItemIsEditable));
    EXPECT_TRUE(flags.testFlag(Qt::ItemIsSelectable));
    EXPECT_FALSE(model.setData(model.index(0, 0), "typed", Qt::EditRole));
}

TEST(ResultsGridModel, ChangesOutsideABatchReachTheViewOneByOne)
{
    ResultsGridModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model, &QAbstractItemModel::rowsRemoved);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy header(&model, &QAbstractItemModel::headerDataChanged);

    model.setGridRowCount(6);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 1);  // model rows 1..4 are grid rows 2..5
    EXPECT_EQ(inserted[0][2].toInt(), 4);
    model.setGridRowCount(3);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][1].toInt(), 2);
    EXPECT_EQ(removed[0][2].toInt(), 4);
    model.setCell(4, 2, "x");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toModelIndex(), model.index(1, 4));
    model.setCell(4, 0, "Title");
    EXPECT_EQ(header.count(), 1);
}

TEST(ResultsGridModel, ABatchReachesTheViewInOneReset)
{
    ResultsGridModel model;
    QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

    model.beginBatch();
    model.setGridRowCount(40001);
    for (int row = 1; row < 40001; ++row) model.setCell(0, row, "job " + std::to_string(row));
    model.setGridRowCount(40000);
    EXPECT_EQ(reset.count(), 0);
    model.endBatch();

    EXPECT_EQ(inserted.count(), 0);
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_EQ(model.rowCount(), 39999);
    EXPECT_EQ(cellText(model, 0, 39999), "job 39999");
    // After the batch, changes are told again.
    model.setCell(0, 1, "again");
    EXPECT_EQ(changed.count(), 1);
}

// A grid of the designed size with `rows` data rows, each named after its row.
class ResultsGridViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        view.resize(565, 229);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    }
    void fill(int rows)
    {
        view.gridModel()->setGridRowCount(rows + 1);
        for (int row = 1; row <= rows; ++row) view.gridModel()->setCell(0, row, "row " + std::to_string(row));
        settle();
    }
    QPoint cellCenter(int row, int column) { return view.visualRect(view.model()->index(row - 1, column)).center(); }
    void click(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, cellCenter(row, 3));
    }
    std::vector<int> selectedGridRows()
    {
        std::vector<int> rows;
        for (const QModelIndex& index : view.selectionModel()->selectedRows()) rows.push_back(index.row() + 1);
        std::sort(rows.begin(), rows.end());
        return rows;
    }

    ResultsGridView view;
};

TEST_F(ResultsGridViewTest, ColumnsHaveTheDesignedWidthsAndFillTheDesignedGrid)
{
    const int designed[] = {39, 76, 76, 92, 95, 60, 73, 42};
    int total = 0;
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(view.colWidth(column), designed[column]) << column;
        total += view.columnWidth(column);
    }
    // With their grid lines the columns fill the client width exactly.
    EXPECT_EQ(view.viewport()->width(), 561);
    EXPECT_EQ(total, 561);
    EXPECT_FALSE(view.horizontalScrollBar()->isVisible());
    EXPECT_FALSE(view.verticalScrollBar()->isVisible());
}

TEST_F(ResultsGridViewTest, RowsAndTheHeaderAre24PixelsHighPlusTheirGridLine)
{
    fill(3);
    EXPECT_EQ(view.horizontalHeader()->height(), 25);
    EXPECT_EQ(view.rowViewportPosition(1) - view.rowViewportPosition(0), 25);
    EXPECT_EQ(view.visualRect(view.model()->index(2, 0)).height(), 24);
    EXPECT_FALSE(view.verticalHeader()->isVisible());
}

TEST_F(ResultsGridViewTest, ColumnWidthSetAndReadWithoutTheGridLine)
{
    view.setColWidth(3, 150);
    EXPECT_EQ(view.colWidth(3), 150);
    EXPECT_EQ(view.columnWidth(3), 151);
    settle();
    EXPECT_TRUE(view.horizontalScrollBar()->isVisible());
}

TEST_F(ResultsGridViewTest, DraggingAHeaderDividerResizesTheColumn)
{
    QHeaderView* header = view.horizontalHeader();
    const int divider = header->sectionViewportPosition(1) - 1;
    const QPoint from(divider, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, Qt::NoModifier, from);
    sendMouse(header->viewport(), QEvent::MouseMove, from + QPoint(20, 0), Qt::NoButton, Qt::LeftButton);
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, Qt::NoModifier, from + QPoint(20, 0));
    EXPECT_EQ(view.colWidth(0), 59);
    EXPECT_EQ(view.colWidth(1), 76);
}

TEST_F(ResultsGridViewTest, VerticalScrollBarOnlyWhenTheRowsDoNotFit)
{
    fill(8);  // 25 + 8 * 25 = 225 fits the 225-pixel client height
    EXPECT_FALSE(view.verticalScrollBar()->isVisible());
    fill(9);
    EXPECT_TRUE(view.verticalScrollBar()->isVisible());
}

TEST_F(ResultsGridViewTest, SelectionIsAlwaysOneRunOfWholeRows)
{
    fill(10);
    click(2);
    click(5, Qt::ShiftModifier);
    EXPECT_EQ(selectedGridRows(), (std::vector<int>{2, 3, 4, 5}));
    EXPECT_EQ(view.selectionModel()->selectedIndexes().size(), 4 * 8);

    click(8, Qt::ControlModifier);
    const std::vector<int> rows = selectedGridRows();
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back() - rows.front() + 1, static_cast<int>(rows.size())) << "rows not consecutive";

    view.setFocus();
    click(3);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(selectedGridRows(), (std::vector<int>{3, 4, 5}));
}

TEST_F(ResultsGridViewTest, CellsOpenNoEditor)
{
    fill(3);
    view.setFocus();
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, cellCenter(2, 1));
    QTest::keyClick(&view, Qt::Key_F2);
    QTest::keyClicks(&view, "abc");
    EXPECT_EQ(view.viewport()->findChild<QWidget*>(), nullptr) << "an editor opened";
    EXPECT_EQ(QApplication::focusWidget(), &view);
    EXPECT_EQ(view.model()->index(1, 1).data().toString(), "");
}

// A grid of three job rows and a row without a record, whose texts sort
// otherwise than their values: names in mixed case, durations whose texts
// compare unlike their numbers, start dates not in text order.
class ResultsOrderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const struct {
            const char* name;
            const char* start;
            long long startMs;
            const char* dur;
            unsigned long long durMs;
            const char* runner;
        } rows[] = {
            {"b", "12/01/2008", 3000, "500", 500, "Alpha"},
            {"a", "01/05/2009", 1000, "2000", 2000, "beta"},
            {"C", "06/03/2008", 2000, "10", 10, "Gamma"},
        };
        chronell::ResultsGridModel& model = *view.gridModel();
        model.setGridRowCount(5);
        int row = 1;
        for (const auto& r : rows) {
            model.setCell(ColName, row, r.name);
            model.setCell(chronell::ColStart, row, r.start);
            model.setCell(ColDur, row, r.dur);
            model.setCell(chronell::ColStatus, row, "Done");
            chronell::JobRecord record;
            record.row = row;
            record.name = r.name;
            record.state = 2;
            record.startUtc = chronell::Instant(std::chrono::milliseconds(r.startMs));
            record.durationMs = r.durMs;
            record.runnerName = r.runner;
            model.store().addRecord(record);
            ++row;
        }
        model.setCell(ColName, 4, "2pass");
        view.resize(600, 300);
        view.show();
        settle();
    }

    void clickHeader(int column)
    {
        QHeaderView* header = view.horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                          QPoint(header->sectionViewportPosition(column) + 5, 5));
    }

    QString shownNames() const
    {
        QStringList names;
        for (int row = 0; row < view.model()->rowCount(); ++row) names << view.model()->index(row, 0).data().toString();
        return names.join(u',');
    }

    ResultsGridView view;
};

TEST_F(ResultsOrderTest, HeaderClicksSortByValueReverseThenRestoreTheRunsOrder)
{
    const struct {
        int column;
        const char* first;
        const char* second;
    } cases[] = {
        {ColDur, "C,b,a,2pass", "a,b,C,2pass"},       // by milliseconds, not text; no value last
        {chronell::ColStart, "a,C,b,2pass", "b,C,a,2pass"},  // by instant
        {ColName, "2pass,a,b,C", "C,b,a,2pass"},       // by text, in any case
    };
    for (const auto& c : cases) {
        clickHeader(c.column);
        EXPECT_EQ(shownNames(), c.first) << c.column;
        EXPECT_EQ(view.horizontalHeader()->sortIndicatorSection(), c.column);
        clickHeader(c.column);
        EXPECT_EQ(shownNames(), c.second) << c.column;
        EXPECT_EQ(view.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeader(c.column);
        EXPECT_EQ(shownNames(), "b,a,C,2pass") << c.column;
        EXPECT_EQ(view.horizontalHeader()->sortIndicatorSection(), -1);
    }
}

TEST_F(ResultsOrderTest, SelectedRowsComeInTheOrderShownAsGridRows)
{
    clickHeader(ColDur);
    view.selectAll();
    EXPECT_EQ(view.selectedGridRows(), (std::vector<int>{3, 1, 2, 4}));
    EXPECT_EQ(view.shownRowOf(3), 1);
    EXPECT_EQ(view.gridRowOf(1), 3);
}

TEST_F(ResultsOrderTest, FilterKeepsRowsWhoseTextsOrRunnerContainItInAnyCase)
{
    const struct {
        const char* filter;
        const char* shown;
    } cases[] = {
        {"", "b,a,C,2pass"},
        {"c", "C"},            // the name, either case
        {"BETA", "a"},         // the runner, though no column shows it
        {"done", "b,a,C"},     // the status
        {"2009", ""},          // the start is not searched
        {"pass", "2pass"},
        {"zzz", ""},
    };
    for (const auto& c : cases) {
        view.order()->setFilterText(QString::fromLatin1(c.filter));
        EXPECT_EQ(shownNames(), c.shown) << c.filter;
    }
    view.order()->setFilterText(QStringLiteral("a"));  // b (Alpha), a, C (Gamma), 2pass
    EXPECT_EQ(view.shownRowOf(2), 2);
    view.order()->setFilterText(QStringLiteral("beta"));
    EXPECT_EQ(view.shownRowOf(1), -1);
}

TEST(GridCellToolTip, FullPathsAndErrorsOtherwiseTheWholeTextOfACutCell)
{
    ResultsGridView view;
    chronell::ResultsGridModel& model = *view.gridModel();
    model.setGridRowCount(3);
    model.setCell(ColName, 1, "a rather long job name");
    model.setCell(chronell::ColSource, 1, "in.avi");
    model.setCell(chronell::ColStatus, 1, "Error");
    model.setCell(chronell::ColStatus, 2, "Error");
    chronell::JobRecord failed;
    failed.row = 1;
    failed.input = "D:\\in\\in.avi";
    failed.error = "disk full";
    model.store().addRecord(failed);
    chronell::JobRecord silent;
    silent.row = 2;
    silent.error = "";
    model.store().addRecord(silent);

    const QFontMetrics metrics(view.font());
    const auto tip = [&](int column, int row, int width) {
        return chronell::gridCellToolTip(view.model()->index(row - 1, column), metrics, width);
    };
    EXPECT_EQ(tip(chronell::ColSource, 1, 1000), "D:\\in\\in.avi");  // the path, even uncut
    EXPECT_EQ(tip(chronell::ColStatus, 1, 1000), "disk full");
    EXPECT_EQ(tip(ColName, 1, 10), "a rather long job name");
    EXPECT_EQ(tip(ColName, 1, 1000), "");
    EXPECT_EQ(tip(chronell::ColStatus, 2, 1000), "");  // an empty error is no tooltip
    EXPECT_EQ(tip(chronell::ColSource, 2, 1000), "");
}

// WCAG's contrast ratio of two colours.
double contrast(const QColor& a, const QColor& b)
{
    const auto luminance = [](const QColor& c) {
        const auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TEST(StatusColours, StatusCellsStayReadableInLightAndDarkPalettesAndFailedRowsStandOut)
{
    QPalette light;
    light.setColor(QPalette::Base, Qt::white);
    light.setColor(QPalette::Text, Qt::black);
    QPalette dark;
    dark.setColor(QPalette::Base, QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::Text, QColor(0xf0, 0xf0, 0xf0));
    for (const QPalette* palette : {&light, &dark}) {
        for (const std::optional<std::int32_t> state : {std::optional<std::int32_t>(), std::optional<std::int32_t>(0),
                                                         std::optional<std::int32_t>(1), std::optional<std::int32_t>(2),
                                                         std::optional<std::int32_t>(3), std::optional<std::int32_t>(4),
                                                         std::optional<std::int32_t>(5)}) {
            const QColor cell = chronell::statusCellBackground(state, *palette);
            EXPECT_GE(contrast(cell, palette->color(QPalette::Text)), 4.5) << state.value_or(-1);
            EXPECT_NE(cell, palette->color(QPalette::Base)) << state.value_or(-1);
            const bool failed = state == 4 || state == 5;
            const QColor row = chronell::standingOutRowBackground(state, *palette);
            EXPECT_EQ(row.isValid(), failed) << state.value_or(-1);
            if (failed) {
                EXPECT_GE(contrast(row, palette->color(QPalette::Text)), 4.5) << state.value_or(-1);
            }
        }
    }
    EXPECT_EQ(chronell::statusColour(5), QColor(QStringLiteral("#e53935")));  // the timeline's error colour
}

} // namespace
