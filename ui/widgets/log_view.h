#pragma once
// The log: a text box the user can type into, to which the program appends
// whole lines. Fixed-width font, lines wrapped at word boundaries, the
// vertical scroll bar always shown and no horizontal one.
#include <QPlainTextEdit>

#include "ui/widgets/log_lines.h"

namespace chronell {

class LogView : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit LogView(QWidget* parent = nullptr);

    // Adds each line as a new last line, a line break after it. A line break
    // goes first when the text does not end in one (the user typed at the
    // end). The insertion point moves behind the added text, which scrolls
    // the log to it.
    void appendLines(const LogLines& lines);
    void appendLine(const QString& line);

    // The window's layout, not the log, decides how small it gets.
    QSize minimumSizeHint() const override;

private:
    // Adds `text`, which ends in a line break, as the appended lines.
    void appendText(const QString& text);
    // True when the log is empty or its text ends in a line break.
    bool atLineStart() const;
};

} // namespace chronell
