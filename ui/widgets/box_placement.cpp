#include "ui/widgets/box_placement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>

namespace chronell {

QScreen* activeScreen()
{
    if (const QWidget* active = QApplication::activeWindow()) return active->screen();
    return QGuiApplication::primaryScreen();
}

void centreOnScreen(QWidget& box, const QScreen& screen)
{
    QRect frame = box.frameGeometry();
    frame.moveCenter(screen.availableGeometry().center());
    box.move(frame.topLeft());
}

} // namespace chronell
