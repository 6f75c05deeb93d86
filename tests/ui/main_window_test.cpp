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
#include "ui/log_view.h"
#include "ui/results_grid_model.h"
#include "ui/results_grid_view.h"
#include "ui/splitter.h"

namespace {

using chronell::test::settle;
using chronell::test::shownWindow;

// A control's rectangle in the client area: the window's widget below the menu bar.
QRect inClientArea(TfoMain& window, QWidget* control)
{
    const QPoint client = window.centralWidget()->mapTo(&window, QPoint(0, 0));
    return QRect(control->mapTo(&window, QPoint(0, 0)) - client, control->size());
}

struct Placement {
    const char* control;
    std::function<QWidget*(TfoMain&)> widget;
    bool inClient;  // else relative to its panel
    QRect designed;
    QRect widened;  // outer size 675 x 400
    QRect heightened;  // outer size 575 x 500
};

const std::vector<Placement>& placements()
{
    static const std::vector<Placement> table = {
        {"Panel2", [](TfoMain& w) { return w.Panel2; }, true, {0, 0, 567, 73}, {0, 0, 667, 73}, {0, 0, 567, 73}},
        {"Panel1", [](TfoMain& w) { return w.Panel1; }, true, {0, 73, 567, 262}, {0, 73, 667, 262}, {0, 73, 567, 362}},
        {"StatusBar1", [](TfoMain& w) { return w.StatusBar1; }, true, {0, 335, 567, 19}, {0, 335, 667, 19}, {0, 435, 567, 19}},
        {"Edit1", [](TfoMain& w) { return w.Edit1; }, false, {62, 10, 419, 21}, {62, 10, 419, 21}, {62, 10, 419, 21}},
        {"Button2", [](TfoMain& w) { return w.Button2; }, false, {485, 10, 75, 21}, {485, 10, 75, 21}, {485, 10, 75, 21}},
        {"Edit2", [](TfoMain& w) { return w.Edit2; }, false, {62, 42, 195, 21}, {62, 42, 195, 21}, {62, 42, 195, 21}},
        {"Button1", [](TfoMain& w) { return w.Button1; }, false, {485, 42, 75, 21}, {485, 42, 75, 21}, {485, 42, 75, 21}},
        {"sg1", [](TfoMain& w) { return w.sg1; }, false, {1, 1, 565, 229}, {1, 1, 665, 229}, {1, 1, 565, 329}},
        {"Splitter1", [](TfoMain& w) { return w.Splitter1; }, false, {1, 230, 565, 3}, {1, 230, 665, 3}, {1, 330, 565, 3}},
        {"Memo1", [](TfoMain& w) { return w.Memo1; }, false, {1, 233, 565, 28}, {1, 233, 665, 28}, {1, 333, 565, 28}},
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
    EXPECT_EQ(window->MainMenu1->height(), 19);
    EXPECT_EQ(window->centralWidget()->width(), 567);
    EXPECT_EQ(window->centralWidget()->height() + window->StatusBar1->height(), 354);
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
    EXPECT_EQ(window->centralWidget()->height() + window->StatusBar1->height(), 254);
    EXPECT_EQ(window->sg1->height(), 129);
    EXPECT_EQ(window->Memo1->height(), 28);
}

TEST(MainWindow, LabelsAreSizedToTheirTextsAndLinedUpOnTheRight)
{
    auto window = shownWindow();
    const QLabel* labels[] = {window->Label1, window->Label2};
    EXPECT_EQ(window->Label1->text(), "Directory:");
    EXPECT_EQ(window->Label2->text(), "Files:");
    EXPECT_EQ(window->Label1->y(), 17);
    EXPECT_EQ(window->Label2->y(), 49);
    EXPECT_EQ(window->Label1->geometry().right(), window->Label2->geometry().right());
    for (const QLabel* label : labels) {
        EXPECT_EQ(label->size(), label->sizeHint()) << label->text().toStdString();
        EXPECT_GE(label->x(), 1) << label->text().toStdString();
        EXPECT_GE(label->geometry().right() + 1, 51) << label->text().toStdString();
        EXPECT_LT(label->geometry().right(), window->Edit1->x());
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
    } options[] = {{window->CheckBox1, {270, 44, 121, 17}, window->CheckBox2->x()},
                   {window->CheckBox2, {406, 44, 67, 17}, window->Button1->x()}};
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
    EXPECT_EQ(window->Button1->text(), "Process");
    EXPECT_EQ(window->Button2->text(), "Browse");
    EXPECT_EQ(window->CheckBox1->text(), "Formated time output");
    EXPECT_EQ(window->CheckBox2->text(), "Clear log");
    EXPECT_FALSE(window->Button1->isDefault());
    EXPECT_FALSE(window->Button2->isDefault());
}

TEST(MainWindow, ControlsUseTheWindowFontAndTheLogItsOwn)
{
    auto window = shownWindow();
    EXPECT_EQ(window->font().pointSize(), 8);
    EXPECT_EQ(window->sg1->font(), window->font());
    EXPECT_EQ(window->Edit1->font(), window->font());
    EXPECT_EQ(window->Memo1->font().pointSize(), 10);
    EXPECT_NE(window->Memo1->font().family(), window->font().family());
}

TEST(MainWindow, InputRowReadsAsTheEngineSeesIt)
{
    auto window = shownWindow();
    EXPECT_EQ(window->folderText(), "");
    EXPECT_FALSE(window->formattedTimeTicked());
    window->Edit1->setText(QString::fromUtf8("/tmp/Vid\xC3\xA9os"));
    window->Edit2->setText(QStringLiteral("*.jobs"));
    window->CheckBox1->setChecked(true);
    window->CheckBox2->setChecked(true);
    EXPECT_EQ(window->folderText(), "/tmp/Vid\xC3\xA9os");
    EXPECT_EQ(window->maskText(), "*.jobs");
    EXPECT_TRUE(window->formattedTimeTicked());
    EXPECT_TRUE(window->clearLogTicked());
}

TEST(MainWindow, StatusBarHasASizeGripAndNoText)
{
    auto window = shownWindow();
    EXPECT_TRUE(window->StatusBar1->isSizeGripEnabled());
    EXPECT_EQ(window->StatusBar1->currentMessage(), "");
}

TEST(MainWindow, FocusStartsInTheLogAndTabRunsTheDesignedOrder)
{
    auto window = shownWindow();
    ASSERT_EQ(QApplication::focusWidget(), window->Memo1);

    const std::vector<std::pair<const char*, QWidget*>> forward = {
        {"sg1", window->sg1},           {"Edit1", window->Edit1},         {"Button2", window->Button2},
        {"Edit2", window->Edit2},       {"CheckBox1", window->CheckBox1}, {"CheckBox2", window->CheckBox2},
        {"Button1", window->Button1},   {"Memo1", window->Memo1}};
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
    window->sg1->gridModel()->setGridRowCount(5);
    window->sg1->setFocus();
    window->sg1->setCurrentIndex(window->sg1->model()->index(0, 0));
    QTest::keyClick(window->sg1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->Edit1);
}

TEST(MainWindow, GridStartsWithTheHeaderRowAndOneEmptyRow)
{
    auto window = shownWindow();
    EXPECT_EQ(window->rowCount(), 2);
    const QAbstractItemModel* model = window->sg1->model();
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
        std::function<QMenu*(TfoMain&)> menu;
        Qt::Key itemKey;
        std::function<QAction*(TfoMain&)> item;
    };
    const Case cases[] = {
        {Qt::Key_F, [](TfoMain& w) { return w.File1; }, Qt::Key_E, [](TfoMain& w) { return w.Quit1; }},
        {Qt::Key_H, [](TfoMain& w) { return w.Help1; }, Qt::Key_A, [](TfoMain& w) { return w.About1; }},
        {Qt::Key_H, [](TfoMain& w) { return w.Help1; }, Qt::Key_L, [](TfoMain& w) { return w.LatestVersion1; }},
        // The items beside the design's take letters of their own.
        {Qt::Key_F, [](TfoMain& w) { return w.File1; }, Qt::Key_S, [](TfoMain& w) { return w.SaveResultsAs1; }},
        {Qt::Key_F, [](TfoMain& w) { return w.File1; }, Qt::Key_W, [](TfoMain& w) { return w.WatchFolder1; }},
        {Qt::Key_V, [](TfoMain& w) { return w.View1; }, Qt::Key_T, [](TfoMain& w) { return w.Timeline1; }},
        {Qt::Key_V, [](TfoMain& w) { return w.View1; }, Qt::Key_S, [](TfoMain& w) { return w.Summary1; }},
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
    window->Quit1->trigger();
    settle();
    EXPECT_FALSE(window->isVisible());
}

} // namespace
