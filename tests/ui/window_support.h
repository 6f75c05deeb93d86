#pragma once
// Helpers of the window tests: collaborators of the test's own, a shown
// window with its layout done, and mouse input with the button held.
#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QUrl>
#include <QWidget>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "ui/FMain.h"
#include "ui/collaborators.h"

namespace chronell::test {

// Runs the posted layout and paint requests, as the event loop would.
inline void settle()
{
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

// A watch timer that fires when the test says so.
class ManualTimer : public WatchTimer {
public:
    void start(std::chrono::milliseconds delay, std::function<void()> fire) override
    {
        delay_ = delay;
        fire_ = std::move(fire);
        armed_ = true;
    }
    void stop() override { armed_ = false; }

    bool armed() const { return armed_; }
    std::chrono::milliseconds delay() const { return delay_; }
    // What the real timer does when its time is up.
    void fire()
    {
        ASSERT_TRUE(armed_) << "the timer was not started";
        armed_ = false;
        fire_();
    }

private:
    bool armed_ = false;
    std::chrono::milliseconds delay_{0};
    std::function<void()> fire_;
};

// The window's collaborators for a test: the error box's texts collected,
// the dialogs answering what the test puts in, no web browser, and a watch
// timer fired by hand. Must outlive the windows it is handed to.
class TestCollaborators {
public:
    TestCollaborators() = default;
    TestCollaborators(const TestCollaborators&) = delete;
    TestCollaborators& operator=(const TestCollaborators&) = delete;

    WindowCollaborators collaborators()
    {
        WindowCollaborators made;
        made.showError = [this](const QString& text) { errors.push_back(text); };
        made.chooseFolder = [this](const QString& start) {
            folderStarts.push_back(start);
            return folderAnswer;
        };
        made.chooseSaveFile = [this](const QString& start) {
            saveStarts.push_back(start);
            return saveAnswer;
        };
        made.openUrl = [this](const QUrl& address) {
            opened.push_back(address);
            return false;  // no browser
        };
        made.makeWatchTimer = [this] {
            auto manual = std::make_unique<ManualTimer>();
            timer = manual.get();
            return manual;
        };
        return made;
    }

    std::vector<QString> errors;
    std::vector<QString> folderStarts;
    std::optional<QString> folderAnswer;
    std::vector<QString> saveStarts;
    std::optional<SaveChoice> saveAnswer;
    std::vector<QUrl> opened;
    ManualTimer* timer = nullptr;  // the last window's
};

// Collaborators for a test that expects none of them to be asked: each
// fails the test, and the dialogs are cancelled.
inline WindowCollaborators unaskedCollaborators()
{
    WindowCollaborators made;
    made.showError = [](const QString& text) { ADD_FAILURE() << "error box: " << text.toStdString(); };
    made.chooseFolder = [](const QString&) -> std::optional<QString> {
        ADD_FAILURE() << "folder dialog opened";
        return std::nullopt;
    };
    made.chooseSaveFile = [](const QString&) -> std::optional<SaveChoice> {
        ADD_FAILURE() << "save dialog opened";
        return std::nullopt;
    };
    made.openUrl = [](const QUrl& address) {
        ADD_FAILURE() << "web page opened: " << address.toString().toStdString();
        return false;
    };
    made.makeWatchTimer = [] { return std::make_unique<ManualTimer>(); };
    return made;
}

// A main window shown and active, its layout done.
inline std::unique_ptr<TfoMain> shownWindow(WindowCollaborators collaborators = unaskedCollaborators())
{
    auto window = std::make_unique<TfoMain>(std::move(collaborators));
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

} // namespace chronell::test
