#pragma once
// Helpers of the window tests: a shown window with its layout done, and
// mouse input with the button held.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ui/FMain.h"
#include "ui/handler_barrier.h"

namespace chronell::test {

// Runs the posted layout and paint requests, as the event loop would.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// A main window shown and active, its layout done.
inline std::unique_ptr<TfoMain> shownWindow()
{
    auto window = std::make_unique<TfoMain>();
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get())) << "the main window did not become active";
    settle();
    return window;
}

// Sends a mouse event at `pos` of `widget` with `buttons` held.
inline void sendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Captures the error box's texts, instead of showing the box, while it lives.
class CapturedBoxes {
public:
    CapturedBoxes() : previous_(setErrorBoxShower([this](const QString& text) { texts.push_back(text); })) {}
    ~CapturedBoxes() { setErrorBoxShower(previous_); }
    CapturedBoxes(const CapturedBoxes&) = delete;
    CapturedBoxes& operator=(const CapturedBoxes&) = delete;

    std::vector<QString> texts;

private:
    ErrorBoxShower previous_;
};

} // namespace chronell::test
