// The main window's layout, minimum size, caption, status bar, tab order,
// initial focus, menu and input row.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_model.h"
#include "ui/grid/results_grid_view.h"
#include "ui/widgets/log_view.h"
#include "ui/widgets/splitter.h"

namespace {

using chronell::test::partsOf;
using chronell::test::settle;
using chronell::test::shownWindow;

// A control's rectangle in the client area: the window's widget below the menu bar.
QRect inClientArea(chronell::MainWindow& window, QWidget* control)
{
    const QPoint client = window.centralWidget()->mapTo(&window, QPoint(0, 0));
    return QRect(control->mapTo(&window, QPoint(0, 0)) - client, control->size());
}

struct Placement {
    const char* control;
    std::function<QWidget*(chronell::MainWindow&)> widget;
    bool inClient;  // else relative to its panel
    QRect designed;
    QRect widened;  // outer size 675 x 400
    QRect heightened;  // outer size 575 x 500
};

const std::vector<Placement>& placements()
{
    static const std::vector<Placement> table = {
        {"inputPanel", [](chronell::MainWindow& w) { return partsOf(w).inputPanel; }, true, {0, 0, 567, 73}, {0, 0, 667, 73}, {0, 0, 567, 73}},
        {"resultsPanel", [](chronell::MainWindow& w) { return partsOf(w).resultsPanel; }, true, {0, 73, 567, 262}, {0, 73, 667, 262}, {0, 73, 567, 362}},
        {"statusBar", [](chronell::MainWindow& w) { return partsOf(w).statusBar; }, true, {0, 335, 567, 19}, {0, 335, 667, 19}, {0, 435, 567, 19}},
        {"folderBox", [](chronell::MainWindow& w) { return partsOf(w).folderBox; }, false, {62, 10, 419, 21}, {62, 10, 419, 21}, {62, 10, 419, 21}},
        {"browseButton", [](chronell::MainWindow& w) { return partsOf(w).browseButton; }, false, {485, 10, 75, 21}, {485, 10, 75, 21}, {485, 10, 75, 21}},
        {"maskBox", [](chronell::MainWindow& w) { return partsOf(w).maskBox; }, false, {62, 42, 195, 21}, {62, 42, 195, 21}, {62, 42, 195, 21}},
        {"processButton", [](chronell::MainWindow& w) { return partsOf(w).processButton; }, false, {485, 42, 75, 21}, {485, 42, 75, 21}, {485, 42, 75, 21}},
        {"resultsGrid", [](chronell::MainWindow& w) { return partsOf(w).resultsGrid; }, false, {1, 1, 565, 229}, {1, 1, 665, 229}, {1, 1, 565, 329}},
        {"splitter", [](chronell::MainWindow& w) { return partsOf(w).splitter; }, false, {1, 230, 565, 3}, {1, 230, 665, 3}, {1, 330, 565, 3}},
        {"logView", [](chronell::MainWindow& w) { return partsOf(w).logView; }, false, {1, 233, 565, 28}, {1, 233, 665, 28}, {1, 333, 565, 28}},
    };
    return table;
}

enum class Size { Designed, Widened, Heightened };

class WindowLayout : public ::testing::TestWithParam<Size> {};

TEST_P(WindowLayout, PlacesEveryControl)
{
    auto window = shownWindow();
    QRect bounds = window->outerBounds();
    ASSERT_EQ(bounds, QRect(296, 163, 575, 400));
    if (GetParam() == Size::Widened) bounds.setWidth(675);
    if (GetParam() == Size::Heightened) bounds.setHeight(500);
    window->setOuterBounds(bounds);
    settle();
    EXPECT_EQ(window->outerBounds(), bounds);

    for (const Placement& placement : placements()) {
        QWidget* control = placement.widget(*window);
        const QRect actual = placement.inClient ? inClientArea(*window, control) : control->geometry();
        const QRect expected = GetParam() == Size::Designed  ? placement.designed
                               : GetParam() == Size::Widened ? placement.widened
                                                             : placement.heightened;
        EXPECT_EQ(actual, expected) << placement.control;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, WindowLayout, ::testing::Values(Size::Designed, Size::Widened, Size::Heightened));

TEST(MainWindow, ClientAreaAndMenuBarAtTheDesignedSize)
{
    auto window = shownWindow();
    EXPECT_EQ(window->menuBar()->height(), 19);
    EXPECT_EQ(window->centralWidget()->width(), 567);
    EXPECT_EQ(window->centralWidget()->height() + partsOf(*window).statusBar->height(), 354);
}

TEST(MainWindow, SizesBelowTheMinimumAreRaisedToIt)
{
    struct Case {
        QSize asked;
        QSize outer;
    };
    const Case cases[] = {{{100, 100}, {575, 300}}, {{574, 299}, {575, 300}}, {{400, 600}, {575, 600}}, {{800, 250}, {800, 300}}};
    auto window = shownWindow();
    for (const Case& c : cases) {
        window->setOuterBounds(QRect(QPoint(10, 20), c.asked));
        settle();
        EXPECT_EQ(window->outerBounds().size(), c.outer) << c.asked.width() << "x" << c.asked.height();
    }
    // The program's own resize is held to the minimum too.
    window->resize(10, 10);
    settle();
    EXPECT_EQ(window->outerBounds().size(), QSize(575, 300));
    // At the minimum height the client area is 254 high and the grid 129.
    EXPECT_EQ(window->centralWidget()->height() + partsOf(*window).statusBar->height(), 254);
    EXPECT_EQ(partsOf(*window).resultsGrid->height(), 129);
    EXPECT_EQ(partsOf(*window).logView->height(), 28);
}

TEST(MainWindow, LabelsAreSizedToTheirTextsAndLinedUpOnTheRight)
{
    auto window = shownWindow();
    const QLabel* labels[] = {partsOf(*window).folderLabel, partsOf(*window).maskLabel};
    EXPECT_EQ(partsOf(*window).folderLabel->text(), "Directory:");
    EXPECT_EQ(partsOf(*window).maskLabel->text(), "Files:");
    EXPECT_EQ(partsOf(*window).folderLabel->y(), 17);
    EXPECT_EQ(partsOf(*window).maskLabel->y(), 49);
    EXPECT_EQ(partsOf(*window).folderLabel->geometry().right(), partsOf(*window).maskLabel->geometry().right());
    for (const QLabel* label : labels) {
        EXPECT_EQ(label->size(), label->sizeHint()) << label->text().toStdString();
        EXPECT_GE(label->x(), 1) << label->text().toStdString();
        EXPECT_GE(label->geometry().right() + 1, 51) << label->text().toStdString();
        EXPECT_LT(label->geometry().right(), partsOf(*window).folderBox->x());
    }
}

// The options keep their designed place; a font wider than the designed one
// widens them to their captions, never into the control to their right.
TEST(MainWindow, OptionsShowTheirWholeCaptionInTheirDesignedPlace)
{
    auto window = shownWindow();
    const struct {
        QCheckBox* option;
        QRect designed;
        int nextLeft;
    } options[] = {{partsOf(*window).formattedTimeBox, {270, 44, 121, 17}, partsOf(*window).clearLogBox->x()},
                   {partsOf(*window).clearLogBox, {406, 44, 67, 17}, partsOf(*window).processButton->x()}};
    for (const auto& o : options) {
        const std::string name = o.option->text().toStdString();
        EXPECT_EQ(o.option->pos(), o.designed.topLeft()) << name;
        EXPECT_EQ(o.option->height(), o.designed.height()) << name;
        EXPECT_GE(o.option->width(), o.designed.width()) << name;
        EXPECT_LT(o.option->geometry().right(), o.nextLeft) << name;
        EXPECT_TRUE(o.option->width() >= o.option->sizeHint().width() ||
                    o.option->geometry().right() == o.nextLeft - 2)
            << name;
    }
}

TEST(MainWindow, CaptionsOfTheWindowAndItsControls)
{
    auto window = shownWindow();
    EXPECT_EQ(window->windowTitle(), "Chronell");
    EXPECT_EQ(partsOf(*window).processButton->text(), "Process");
    EXPECT_EQ(partsOf(*window).browseButton->text(), "Browse");
    EXPECT_EQ(partsOf(*window).formattedTimeBox->text(), "Formated time output");
    EXPECT_EQ(partsOf(*window).clearLogBox->text(), "Clear log");
    EXPECT_FALSE(partsOf(*window).processButton->isDefault());
    EXPECT_FALSE(partsOf(*window).browseButton->isDefault());
}

TEST(MainWindow, ControlsUseTheWindowFontAndTheLogItsOwn)
{
    auto window = shownWindow();
    EXPECT_EQ(window->font().pointSize(), 8);
    EXPECT_EQ(partsOf(*window).resultsGrid->font(), window->font());
    EXPECT_EQ(partsOf(*window).folderBox->font(), window->font());
    EXPECT_EQ(partsOf(*window).logView->font().pointSize(), 10);
    EXPECT_NE(partsOf(*window).logView->font().family(), window->font().family());
}

TEST(MainWindow, InputRowReadsAsTheEngineSeesIt)
{
    auto window = shownWindow();
    EXPECT_EQ(window->folderText(), "");
    EXPECT_FALSE(window->formattedTimeTicked());
    partsOf(*window).folderBox->setText(QString::fromUtf8("/tmp/Vid\xC3\xA9os"));
    partsOf(*window).maskBox->setText(QStringLiteral("*.jobs"));
    partsOf(*window).formattedTimeBox->setChecked(true);
    partsOf(*window).clearLogBox->setChecked(true);
    EXPECT_EQ(window->folderText(), "/tmp/Vid\xC3\xA9os");
    EXPECT_EQ(window->maskText(), "*.jobs");
    EXPECT_TRUE(window->formattedTimeTicked());
    EXPECT_TRUE(window->clearLogTicked());
}

TEST(MainWindow, StatusBarHasASizeGripAndNoText)
{
    auto window = shownWindow();
    EXPECT_TRUE(partsOf(*window).statusBar->isSizeGripEnabled());
    EXPECT_EQ(partsOf(*window).statusBar->currentMessage(), "");
}

TEST(MainWindow, FocusStartsInTheLogAndTabRunsTheDesignedOrder)
{
    auto window = shownWindow();
    ASSERT_EQ(QApplication::focusWidget(), partsOf(*window).logView);

    const std::vector<std::pair<const char*, QWidget*>> forward = {
        {"resultsGrid", partsOf(*window).resultsGrid},           {"folderBox", partsOf(*window).folderBox},         {"browseButton", partsOf(*window).browseButton},
        {"maskBox", partsOf(*window).maskBox},       {"formattedTimeBox", partsOf(*window).formattedTimeBox}, {"clearLogBox", partsOf(*window).clearLogBox},
        {"processButton", partsOf(*window).processButton},   {"logView", partsOf(*window).logView}};
    for (const auto& [name, expected] : forward) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), expected) << "Tab to " << name;
    }
    for (auto it = forward.rbegin() + 1; it != forward.rend(); ++it) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), it->second) << "Shift+Tab to " << it->first;
    }
}

TEST(MainWindow, TabInTheGridLeavesItAfterTheGridHasRows)
{
    auto window = shownWindow();
    partsOf(*window).resultsGrid->gridModel()->setGridRowCount(5);
    partsOf(*window).resultsGrid->setFocus();
    partsOf(*window).resultsGrid->setCurrentIndex(partsOf(*window).resultsGrid->model()->index(0, 0));
    QTest::keyClick(partsOf(*window).resultsGrid, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), partsOf(*window).folderBox);
}

TEST(MainWindow, GridStartsWithTheHeaderRowAndOneEmptyRow)
{
    auto window = shownWindow();
    EXPECT_EQ(window->rowCount(), 2);
    const QAbstractItemModel* model = partsOf(*window).resultsGrid->model();
    ASSERT_EQ(model->rowCount(), 1);
    ASSERT_EQ(model->columnCount(), 8);
    const char* const headers[] = {"Name", "Source", "Dest", "Start", "End", "Status", "Dur", "Jobfile"};
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(model->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString(), headers[column]);
        EXPECT_EQ(model->index(0, column).data().toString(), "");
    }
}

TEST(MainWindow, MenuAccessKeysOpenTheMenusAndChooseTheirItems)
{
    struct Case {
        Qt::Key menuKey;
        std::function<QMenu*(chronell::MainWindow&)> menu;
        Qt::Key itemKey;
        std::function<QAction*(chronell::MainWindow&)> item;
    };
    const Case cases[] = {
        {Qt::Key_F, [](chronell::MainWindow& w) { return partsOf(w).fileMenu; }, Qt::Key_E, [](chronell::MainWindow& w) { return partsOf(w).exitAction; }},
        {Qt::Key_H, [](chronell::MainWindow& w) { return partsOf(w).helpMenu; }, Qt::Key_A, [](chronell::MainWindow& w) { return partsOf(w).aboutAction; }},
        {Qt::Key_H, [](chronell::MainWindow& w) { return partsOf(w).helpMenu; }, Qt::Key_L, [](chronell::MainWindow& w) { return partsOf(w).latestVersionAction; }},
        // The items beside the design's take letters of their own.
        {Qt::Key_F, [](chronell::MainWindow& w) { return partsOf(w).fileMenu; }, Qt::Key_S, [](chronell::MainWindow& w) { return partsOf(w).saveResultsAction; }},
        {Qt::Key_F, [](chronell::MainWindow& w) { return partsOf(w).fileMenu; }, Qt::Key_W, [](chronell::MainWindow& w) { return partsOf(w).watchFolderAction; }},
        {Qt::Key_V, [](chronell::MainWindow& w) { return partsOf(w).viewMenu; }, Qt::Key_T, [](chronell::MainWindow& w) { return partsOf(w).timelineAction; }},
        {Qt::Key_V, [](chronell::MainWindow& w) { return partsOf(w).viewMenu; }, Qt::Key_S, [](chronell::MainWindow& w) { return partsOf(w).summaryAction; }},
    };
    for (const Case& c : cases) {
        auto window = shownWindow();
        // Only the choice is under test: the window's handler would open its box or page.
        QObject::disconnect(c.item(*window), &QAction::triggered, window.get(), nullptr);
        QSignalSpy chosen(c.item(*window), &QAction::triggered);
        QTest::keyClick(window.get(), c.menuKey, Qt::AltModifier);
        settle();
        QMenu* menu = c.menu(*window);
        ASSERT_TRUE(menu->isVisible()) << menu->title().toStdString();
        QTest::keyClick(menu, c.itemKey);
        settle();
        EXPECT_EQ(chosen.count(), 1) << c.item(*window)->text().toStdString();
        EXPECT_FALSE(menu->isVisible());
    }
}

TEST(MainWindow, ExitClosesTheWindow)
{
    auto window = shownWindow();
    partsOf(*window).exitAction->trigger();
    settle();
    EXPECT_FALSE(window->isVisible());
}

} // namespace
