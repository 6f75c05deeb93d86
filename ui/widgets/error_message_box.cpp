#include "ui/widgets/error_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

#include "ui/widgets/box_placement.h"
#include "ui/widgets/splitter.h"

namespace chronell {

namespace {

// Qt's message box, centred on the screen of the window that was active
// rather than over its owner.
class ErrorMessageBox : public QMessageBox {
public:
    ErrorMessageBox(const QString& text, QWidget* parent)
        : QMessageBox(parent), screen_(activeScreen())
    {
        setWindowTitle(QGuiApplication::applicationDisplayName());
        setIcon(Critical);
        setTextFormat(Qt::PlainText);  // a message is never markup
        setText(text);
        // A path or address in it can be selected and copied.
        setTextInteractionFlags(Qt::TextSelectableByMouse);
        setWindowModality(Qt::ApplicationModal);
        QPushButton* ok = addButton(QStringLiteral("OK"), AcceptRole);
        setDefaultButton(ok);
        setEscapeButton(ok);
    }

protected:
    void showEvent(QShowEvent* event) override
    {
        QMessageBox::showEvent(event);  // sizes the box
        centreOnScreen(*this, *screen_);
    }

private:
    QScreen* screen_;
};

} // namespace

void cancelMouseModes()
{
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    for (QWidget* widget : QApplication::allWidgets())
        if (auto* splitter = qobject_cast<Splitter*>(widget)) splitter->cancelDrag();
}

void showErrorMessageBox(const QString& text)
{
    cancelMouseModes();
    ErrorMessageBox box(text, QApplication::activeWindow());
    box.exec();
}

} // namespace chronell
