#include "ui/widgets/plain_message_box.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/widgets/box_placement.h"

namespace chronell {

QString plainMessageBoxCopyText(const QString& caption, const QString& text, const QStringList& buttons)
{
    const QString lineBreak = QStringLiteral("\r\n");
    const QString divider = QString(27, u'-') + lineBreak;
    QString copy = divider + caption + lineBreak + divider + text + lineBreak + divider;
    for (const QString& button : buttons) copy += button + QStringLiteral("   ");
    return copy + lineBreak + divider;
}

PlainMessageBox::PlainMessageBox(const QString& caption, const QString& text, QWidget* parent)
    : QDialog(parent), text_(text), screen_(activeScreen())
{
    setWindowTitle(caption);
    setWindowModality(Qt::ApplicationModal);
    // A window does not take its owner's font: name the message-box font.
    setFont(QApplication::font("QMessageBox"));

    auto* label = new QLabel(this);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setText(text);
    // Wrapped within half the screen's width, and no wider than the text needs.
    const int widthLimit = screen_->geometry().width() / 2;
    const QRect textBounds =
        QFontMetrics(font()).boundingRect(QRect(0, 0, widthLimit, QWIDGETSIZE_MAX), Qt::TextWordWrap, text);
    label->setFixedSize(textBounds.size());

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setDefault(true);  // Enter; Esc and the close box reject the dialog
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    buttonRow->addWidget(okButton_);
    buttonRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(label);
    layout->addLayout(buttonRow);
}

void PlainMessageBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_C && event->modifiers() == Qt::ControlModifier) {
        QApplication::beep();
        QGuiApplication::clipboard()->setText(plainMessageBoxCopyText(windowTitle(), text_, {okButton_->text()}));
        return;
    }
    QDialog::keyPressEvent(event);
}

void PlainMessageBox::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(*this, *screen_);
}

void showPlainMessageBox(const QString& text)
{
    PlainMessageBox box(QGuiApplication::applicationDisplayName(), text, QApplication::activeWindow());
    box.exec();
}

} // namespace chronell
