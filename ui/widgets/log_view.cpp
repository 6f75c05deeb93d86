#include "ui/widgets/log_view.h"

#include "ui/widgets/designed_fonts.h"

namespace chronell {

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent)
{
    setFont(logFont());
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

void LogView::appendLines(const LogLines& lines)
{
    if (lines.empty()) return;
    appendText(lines.text());
}

void LogView::appendLine(const QString& line)
{
    appendText(line + u'\n');
}

void LogView::appendText(const QString& text)
{
    // Appending is not an edit the user could undo.
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    if (!atLineStart()) cursor.insertText(QStringLiteral("\n"));
    cursor.insertText(text);
    document()->setUndoRedoEnabled(true);
    setTextCursor(cursor);
    ensureCursorVisible();
}

QSize LogView::minimumSizeHint() const
{
    return {0, 0};
}

bool LogView::atLineStart() const
{
    // The document's last character ends its last paragraph and is not part
    // of the text.
    const int count = document()->characterCount();
    if (count <= 1) return true;
    const QChar last = document()->characterAt(count - 2);
    return last == QChar::ParagraphSeparator || last == QChar::LineSeparator;
}

} // namespace chronell
