#include "ui/widgets/push_button.h"

#include <QKeyEvent>

namespace chronell {

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

void PushButton::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QPushButton::keyPressEvent(event);
        return;
    }
    // One press per press of the key: a held key does not queue runs.
    if (!event->isAutoRepeat()) click();
    event->accept();
}

} // namespace chronell
