// Bringing a window rectangle back onto a screen.
#include "ui/window/screen_placement.h"

#include <QGuiApplication>
#include <QScreen>

#include <gtest/gtest.h>

namespace {

using chronell::placedOnScreen;

// A primary screen of 1024 x 768 (less a 40-pixel task bar at its foot)
// and a second screen of 800 x 600 to its right.
const QRect kPrimary(0, 0, 1024, 728);
const QRect kSecond(1024, 0, 800, 600);

TEST(ScreenPlacement, RectangleOnAnyScreenStaysAsItIs)
{
    const QRect cases[] = {
        {296, 163, 575, 400},    // inside the primary screen
        {1500, 100, 575, 400},   // inside the second screen
        {-500, -300, 575, 400},  // partly on the primary screen
        {700, 500, 575, 400},    // across both
        {1823, 599, 575, 400},   // one pixel of the second screen
        {-574, 727, 575, 400},   // one pixel of the primary screen
    };
    for (const QRect& bounds : cases) {
        EXPECT_EQ(placedOnScreen(bounds, {kPrimary, kSecond}, kPrimary), bounds)
            << bounds.x() << "," << bounds.y();
    }
}

TEST(ScreenPlacement, RectangleLargerThanTheScreenItLandsOnIsReducedToIt)
{
    const struct {
        const char* what;
        QRect bounds;
        QRect placed;
    } cases[] = {
        {"stored 99999 by 99999", {296, 163, 99999, 99999}, kPrimary},
        {"taller than the second screen", {1500, 100, 575, 2000}, {1500, 0, 575, 600}},
        {"wider than the second screen", {1100, 50, 900, 300}, {1024, 50, 800, 300}},
        {"across both, mostly on the second", {700, 100, 1200, 400}, {1024, 100, 800, 400}},
        {"the screen's size exactly", {1024, 0, 800, 600}, kSecond},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(placedOnScreen(c.bounds, {kPrimary, kSecond}, kPrimary), c.placed) << c.what;
    }
}

TEST(ScreenPlacement, RectangleOnNoScreenIsCentredOnThePrimaryScreen)
{
    const struct {
        const char* what;
        QRect bounds;
        QRect placed;
    } cases[] = {
        {"far to the left", {-5000, 163, 575, 400}, {224, 164, 575, 400}},
        {"far below", {296, 5000, 575, 400}, {224, 164, 575, 400}},
        {"just past the primary screen's foot", {0, 728, 575, 300}, {224, 214, 575, 300}},
        {"in the gap below the second screen", {1200, 600, 575, 300}, {224, 214, 575, 300}},
        {"just left of the primary screen", {-575, 0, 575, 400}, {224, 164, 575, 400}},
        {"wider than the primary screen", {-5000, 0, 2000, 400}, {0, 164, 1024, 400}},
        {"taller than the primary screen", {-5000, 0, 575, 1000}, {224, 0, 575, 728}},
        {"the primary screen's size exactly", {5000, 5000, 1024, 728}, kPrimary},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(placedOnScreen(c.bounds, {kPrimary, kSecond}, kPrimary), c.placed) << c.what;
    }
}

TEST(ScreenPlacement, PrimaryScreenNeedNotStartAtTheOrigin)
{
    const QRect primary(-1280, 200, 1280, 1024);
    const QRect placed = placedOnScreen({5000, 5000, 575, 400}, {kPrimary, primary}, primary);
    EXPECT_EQ(placed, QRect(-927, 512, 575, 400));
    EXPECT_TRUE(primary.contains(placed));
}

TEST(ScreenPlacement, WithoutAPrimaryScreenNothingMoves)
{
    const QRect bounds(-5000, 163, 575, 400);
    EXPECT_EQ(placedOnScreen(bounds, {}, QRect()), bounds);
}

TEST(ScreenPlacement, OverTheApplicationsScreens)
{
    const QRect primary = QGuiApplication::primaryScreen()->availableGeometry();
    const QRect off(primary.right() + 5000, primary.top(), 575, 400);
    const QRect placed = placedOnScreen(off);
    EXPECT_TRUE(primary.contains(placed));
    EXPECT_EQ(placed.size(), QSize(575, 400).boundedTo(primary.size()));
    const QRect on(primary.topLeft() + QPoint(10, 10), QSize(575, 400));
    EXPECT_EQ(placedOnScreen(on), on);
}

} // namespace
