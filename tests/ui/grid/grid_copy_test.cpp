// The grid's Ctrl+A and Ctrl+C: every row selected, and the selected rows
// on the clipboard as tab-separated text under the header row.
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>

#include <gtest/gtest.h>

#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"

namespace {

using chronell::test::partsOf;
using chronell::test::shownWindow;

constexpr char kHeader[] = "Name\tSource\tDest\tStart\tEnd\tStatus\tDur\tJobfile\n";

// A window whose grid holds `rows` data rows: "n1" ... in the first column,
// a byte that is not UTF-8 in the second, the last column empty.
std::unique_ptr<chronell::MainWindow> windowWithRows(int rows)
{
    auto window = shownWindow();
    chronell::ResultsGridModel& model = *partsOf(*window).resultsGrid->gridModel();
    model.setGridRowCount(rows + 1);
    for (int row = 1; row <= rows; ++row) {
        model.setCell(0, row, "n" + std::to_string(row));
        model.setCell(1, row, "caf\xE9");
        for (int column = 2; column < 7; ++column) model.setCell(column, row, std::to_string(column));
    }
    partsOf(*window).resultsGrid->setFocus();
    return window;
}

QString rowText(int row)
{
    return QStringLiteral("n%1\tcaf\u00E9\t2\t3\t4\t5\t6\t\n").arg(row);
}

TEST(GridCopy, CopiesTheSelectedRowsUnderTheHeaderInRowOrder)
{
    auto window = windowWithRows(5);
    // Rows 4 back to 2, selected from the bottom up.
    QTest::mouseClick(partsOf(*window).resultsGrid->viewport(), Qt::LeftButton, Qt::NoModifier,
                      partsOf(*window).resultsGrid->visualRect(partsOf(*window).resultsGrid->model()->index(3, 0)).center());
    QTest::mouseClick(partsOf(*window).resultsGrid->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                      partsOf(*window).resultsGrid->visualRect(partsOf(*window).resultsGrid->model()->index(1, 0)).center());
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(partsOf(*window).resultsGrid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), kHeader + rowText(2) + rowText(3) + rowText(4));
}

TEST(GridCopy, CtrlASelectsEveryRowForTheCopy)
{
    auto window = windowWithRows(3);
    QTest::keyClick(partsOf(*window).resultsGrid, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(partsOf(*window).resultsGrid->selectionModel()->selectedRows().size(), 3);
    QTest::keyClick(partsOf(*window).resultsGrid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), kHeader + rowText(1) + rowText(2) + rowText(3));
}

TEST(GridCopy, CellsAreEscapedAsTheTsvExportEscapesThem)
{
    auto window = windowWithRows(1);
    partsOf(*window).resultsGrid->gridModel()->setCell(0, 1, "a\tb\nc\\d\re");
    QTest::keyClick(partsOf(*window).resultsGrid, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(partsOf(*window).resultsGrid, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              kHeader + QStringLiteral("a\\tb\\nc\\\\d\\re\tcaf\u00E9\t2\t3\t4\t5\t6\t\n"));
}

} // namespace
