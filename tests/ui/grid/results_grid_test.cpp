// The results grid: row-count rules, cells, display text, the one reset
// of a batch, and the view's widths, rows, selection and editing.
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"

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

} // namespace
