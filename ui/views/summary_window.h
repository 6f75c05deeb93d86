#pragma once
// The Summary window: the last run's summary as chronell-report --summary
// prints it, in a fixed-width text view whose text can be selected and
// copied; Esc closes it.
#include <QWidget>

#include <string_view>

class QKeyEvent;
class QPlainTextEdit;

namespace chronell {

class SummaryWindow : public QWidget {
    Q_OBJECT

public:
    // A window of its own that goes with `owner` and does not keep the
    // program running.
    explicit SummaryWindow(QWidget* owner);

    void setSummaryText(std::string_view bytes);
    QPlainTextEdit* textView() const { return text_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPlainTextEdit* text_;
};

} // namespace chronell
