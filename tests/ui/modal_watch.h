#pragma once
// Looks at the modal window that the code under test opens, once it is
// active, from inside its own event loop, and closes it if the look left it
// open.
#include <QApplication>
#include <QMetaObject>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

namespace chronell::test {

class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget& modal)> inspect)
        : state_(std::make_shared<State>(State{std::move(inspect), 0}))
    {
        post(state_);
    }
    ~ModalWatch() { state_->inspect = nullptr; }
    ModalWatch(const ModalWatch&) = delete;
    ModalWatch& operator=(const ModalWatch&) = delete;

    // How many modal windows were looked at: 1 once the watched one opened.
    int seen() const { return state_->seen; }

private:
    struct State {
        std::function<void(QWidget&)> inspect;
        int seen;
    };

    // Waits, one pass of the event queue at a time, for a modal window; a
    // watch that has ended stops waiting.
    static void post(const std::shared_ptr<State>& state)
    {
        QMetaObject::invokeMethod(
            qApp,
            [state] {
                if (!state->inspect) return;
                const QPointer<QWidget> modal = QApplication::activeModalWidget();
                if (!modal) {
                    post(state);
                    return;
                }
                ++state->seen;
                EXPECT_TRUE(QTest::qWaitForWindowActive(modal)) << "the modal window did not become active";
                std::exchange(state->inspect, nullptr)(*modal);
                if (modal && modal->isVisible()) modal->hide();  // ends its exec()
            },
            Qt::QueuedConnection);
    }

    std::shared_ptr<State> state_;
};

} // namespace chronell::test
