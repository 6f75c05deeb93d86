// Where the boxes open: the centre of the active window's screen.
#include <QScreen>

#include <gtest/gtest.h>

#include "tests/ui/window_support.h"
#include "ui/box_placement.h"

namespace {

using chronell::activeScreen;
using chronell::centreOnScreen;

TEST(BoxPlacement, CentresTheBoxOnTheScreensWorkArea)
{
    const QScreen& screen = *QGuiApplication::primaryScreen();
    const QPoint centre = screen.availableGeometry().center();
    const QSize sizes[] = {{100, 50}, {301, 151}, {2, 3}, screen.availableGeometry().size() + QSize(40, 40)};
    for (const QSize& size : sizes) {
        QWidget box;
        box.setGeometry(QRect(QPoint(7, 9), size));
        centreOnScreen(box, screen);
        EXPECT_EQ(box.size(), size);
        EXPECT_EQ(box.frameGeometry().center(), centre) << size.width() << "x" << size.height();
    }
}

TEST(BoxPlacement, TheActiveWindowsScreenOrThePrimaryOne)
{
    ASSERT_EQ(QApplication::activeWindow(), nullptr);
    EXPECT_EQ(activeScreen(), QGuiApplication::primaryScreen());
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_EQ(activeScreen(), window.screen());
}

} // namespace
