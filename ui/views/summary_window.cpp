#include "ui/views/summary_window.h"

#include <QPlainTextEdit>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "ui/text/display_text.h"
#include "ui/widgets/designed_fonts.h"

namespace chronell {

SummaryWindow::SummaryWindow(QWidget* owner) : QWidget(owner, Qt::Window), text_(new QPlainTextEdit(this))
{
    setWindowTitle(QStringLiteral("Summary"));
    setAttribute(Qt::WA_QuitOnClose, false);
    text_->setReadOnly(true);
    text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);  // a table's lines stay whole
    text_->setFont(logFont());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text_);
    resize(640, 420);
}

void SummaryWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}

void SummaryWindow::setSummaryText(std::string_view bytes)
{
    text_->setPlainText(displayText(bytes));
}

} // namespace chronell
