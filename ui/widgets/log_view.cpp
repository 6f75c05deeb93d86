#include "ui/widgets/log_view.h"

#include "ui/widgets/designed_fonts.h"

namespace chronell {

namespace {

// A text document costs per paragraph, not per character: a run's 280 000
// lines as as many paragraphs take most of a second to add. So the lines of
// one append go into paragraphs of this many lines, separated inside them by
// U+2028 line separators, which break the line just the same and read back
// as line feeds from toPlainText() and the clipboard.
constexpr qsizetype kLinesPerParagraph = 64;

} // namespace

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent)
{
    setFont(logFont());
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(true);
}

void LogView::appendLines(const QStringList& lines)
{
    if (lines.isEmpty()) return;
    qsizetype length = 1;
    for (const QString& line : lines) length += line.size() + 1;
    QString text;
    text.reserve(length);
    if (!atLineStart()) text += u'\n';
    for (qsizetype i = 0; i < lines.size(); ++i) {
        text += lines[i];
        const bool paragraphEnds = i + 1 == lines.size() || (i + 1) % kLinesPerParagraph == 0;
        text += paragraphEnds ? QChar(u'\n') : QChar(QChar::LineSeparator);
    }

    // Appending is not an edit the user could undo.
    document()->setUndoRedoEnabled(false);
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text);
    document()->setUndoRedoEnabled(true);
    setTextCursor(cursor);
    ensureCursorVisible();
}

void LogView::appendLine(const QString& line)
{
    appendLines(QStringList{line});
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
