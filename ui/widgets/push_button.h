#pragma once
// A push button that Enter and the keypad's Enter press while it has the
// focus, as Space does, as users of Windows and Linux expect of a focused
// button.
#include <QPushButton>

namespace chronell {

class PushButton : public QPushButton {
    Q_OBJECT

public:
    PushButton(const QString& caption, QWidget* parent);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace chronell
