// The splitter's height rules, as pure arithmetic and as drags in the window.
#include <QKeyEvent>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/ui/window_support.h"
#include "ui/grid/results_grid_view.h"
#include "ui/widgets/log_view.h"
#include "ui/widgets/splitter.h"

namespace {

using chronell::splitterDragHeight;
using chronell::splitterPressHeight;
using chronell::splitterUpperLimit;
using chronell::test::partsOf;
using chronell::test::sendMouse;
using chronell::test::settle;
using chronell::test::shownWindow;

TEST(SplitterArithmetic, UpperLimitLeavesTheGridItsMinimum)
{
    EXPECT_EQ(splitterUpperLimit(262, 3), 229);  // designed size
    EXPECT_EQ(splitterUpperLimit(162, 3), 129);  // minimum height
}

TEST(SplitterArithmetic, PressHeightIsTheCurrentHeightWithinTheLimits)
{
    struct Case {
        int current;
        int expected;
    };
    const Case cases[] = {{28, 30}, {0, 30}, {30, 30}, {31, 31}, {100, 100}, {229, 229}, {300, 229}};
    for (const Case& c : cases) EXPECT_EQ(splitterPressHeight(c.current, 229), c.expected) << c.current;
}

TEST(SplitterArithmetic, DragHeightCollapsesAtTheMinimum)
{
    struct Case {
        int atPress;
        int movedDown;
        int expected;
    };
    const Case cases[] = {
        {28, 0, 0},      // 28 is raised to 30, which collapses
        {28, -2, 0},     // exactly 30
        {28, -3, 31},    // one above the minimum stays
        {28, 10, 0},     // below the minimum
        {28, -50, 78},   // up makes the log taller
        {28, -500, 229}, // held at the upper limit
        {0, -30, 0},     // a collapsed log needs more than 30 pixels to come back
        {0, -31, 31},
        {100, 40, 60},
        {100, 69, 31},
        {100, 70, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitterDragHeight(c.atPress, c.movedDown, 229), c.expected) << c.atPress << " moved " << c.movedDown;
}

// A drag on the window's splitter: press, the moves (pixels down from the
// press), release unless `escape` cancels it first.
struct Drag {
    std::vector<int> moves;
    bool escape = false;
};

void drag(chronell::MainWindow& window, const Drag& d)
{
    const QPoint press(20, 1);
    sendMouse(partsOf(window).splitter, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    for (int moved : d.moves)
        sendMouse(partsOf(window).splitter, QEvent::MouseMove, press + QPoint(0, moved), Qt::NoButton, Qt::LeftButton);
    if (d.escape) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    const QPoint last = press + QPoint(0, d.moves.empty() ? 0 : d.moves.back());
    sendMouse(partsOf(window).splitter, QEvent::MouseButtonRelease, last, Qt::LeftButton, Qt::NoButton);
    settle();
}

// The results panel's inner height at the designed size.
constexpr int kInnerHeight = 260;

struct DragCase {
    const char* name;
    std::vector<Drag> drags;
    int logHeight;
};

void PrintTo(const DragCase& c, std::ostream* os)
{
    *os << c.name;
}

class SplitterDrag : public ::testing::TestWithParam<DragCase> {};

TEST_P(SplitterDrag, GivesTheLogItsHeightAndTheGridTheRest)
{
    auto window = shownWindow();
    for (const Drag& d : GetParam().drags) drag(*window, d);
    const int log = GetParam().logHeight;
    EXPECT_EQ(partsOf(*window).logView->height(), log);
    // The log keeps its bottom edge; the splitter sits on it and the grid takes the rest.
    EXPECT_EQ(partsOf(*window).logView->geometry().bottom(), kInnerHeight);
    EXPECT_EQ(partsOf(*window).splitter->y(), 1 + kInnerHeight - log - 3);
    EXPECT_EQ(partsOf(*window).resultsGrid->height(), kInnerHeight - log - 3);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, SplitterDrag,
    ::testing::Values(DragCase{"click_raises_the_start_log_to_30", {Drag{}}, 30},
                      DragCase{"drag_up", {Drag{{-10, -50}}}, 78},
                      DragCase{"drag_down_collapses", {Drag{{5, 10}}}, 0},
                      DragCase{"drag_to_exactly_30_collapses", {Drag{{-2}}}, 0},
                      DragCase{"drag_to_31_stays", {Drag{{-3}}}, 31},
                      DragCase{"drag_held_at_the_upper_limit", {Drag{{-500}}}, 229},
                      DragCase{"collapsed_log_comes_back_by_a_click", {Drag{{10}}, Drag{}}, 30},
                      DragCase{"collapsed_log_stays_at_30_up", {Drag{{10}}, Drag{{-30}}}, 0},
                      DragCase{"collapsed_log_comes_back_at_31_up", {Drag{{10}}, Drag{{-31}}}, 31},
                      DragCase{"only_the_last_move_counts", {Drag{{-100, 20, -60}}}, 88},
                      DragCase{"escape_cancels", {Drag{{-50}, true}}, 28},
                      DragCase{"escape_after_an_earlier_drag", {Drag{{-50}}, Drag{{30}, true}}, 78}),
    [](const ::testing::TestParamInfo<DragCase>& info) { return std::string(info.param.name); });

TEST(SplitterDragLine, ShowsWhereTheSplitterWillEndUpAndResizesOnlyOnRelease)
{
    auto window = shownWindow();
    const QPoint press(20, 1);
    sendMouse(partsOf(*window).splitter, QEvent::MouseButtonPress, press, Qt::LeftButton, Qt::LeftButton);
    sendMouse(partsOf(*window).splitter, QEvent::MouseMove, press + QPoint(0, -50), Qt::NoButton, Qt::LeftButton);
    settle();

    const QWidget* line = nullptr;
    for (const QWidget* child : partsOf(*window).resultsPanel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child->isVisible() && child != partsOf(*window).resultsGrid && child != partsOf(*window).splitter && child != partsOf(*window).logView)
            line = child;
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->geometry(), QRect(1, 1 + kInnerHeight - 78 - 3, 565, 3));
    EXPECT_EQ(partsOf(*window).logView->height(), 28);

    sendMouse(partsOf(*window).splitter, QEvent::MouseButtonRelease, press + QPoint(0, -50), Qt::LeftButton, Qt::NoButton);
    settle();
    EXPECT_FALSE(line->isVisible());
    EXPECT_EQ(partsOf(*window).logView->height(), 78);
}

TEST(SplitterDragLine, EscapeReachesTheSplitterOnlyDuringADrag)
{
    auto window = shownWindow();
    partsOf(*window).logView->setFocus();
    QTest::keyClicks(partsOf(*window).logView, "ab");
    QTest::keyClick(partsOf(*window).logView, Qt::Key_Escape);
    // Typing goes on as usual after a drag has ended.
    drag(*window, Drag{{-50}});
    QTest::keyClicks(partsOf(*window).logView, "c");
    EXPECT_EQ(partsOf(*window).logView->toPlainText(), "abc");
}

TEST(SplitterDragLine, UpperLimitFollowsThePanelHeight)
{
    auto window = shownWindow();
    window->setOuterBounds(QRect(296, 163, 575, 300));
    settle();
    drag(*window, Drag{{-500}});
    EXPECT_EQ(partsOf(*window).logView->height(), 129);
    EXPECT_EQ(partsOf(*window).resultsGrid->height(), 28);
}

TEST(SplitterInTheWindow, PanelTooLowForTheLogKeepsItsBottomEdgeAndScrollBarInView)
{
    auto window = shownWindow();
    drag(*window, {{-172}});
    ASSERT_EQ(partsOf(*window).logView->height(), 200);
    const QRect designed = window->outerBounds();

    window->setOuterBounds(QRect(designed.topLeft(), QSize(575, 300)));  // the minimum size
    settle();
    const QRect inner = partsOf(*window).resultsPanel->contentsRect();
    EXPECT_EQ(partsOf(*window).logView->geometry().bottom(), inner.bottom());
    EXPECT_EQ(partsOf(*window).logView->height(), inner.height() - 3);
    const QScrollBar* bar = partsOf(*window).logView->verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_LE(bar->mapTo(partsOf(*window).resultsPanel, QPoint(0, bar->height() - 1)).y(), inner.bottom());

    window->setOuterBounds(designed);
    settle();
    EXPECT_EQ(partsOf(*window).logView->height(), 200);
    EXPECT_EQ(partsOf(*window).logView->geometry().bottom(), kInnerHeight);
}

} // namespace
