#pragma once
// The plain message box: a text under the application title, no icon, one
// "OK" button. Ctrl+C copies its content to the clipboard as plain text, the
// same on every host.
#include <QDialog>
#include <QString>
#include <QStringList>

class QPushButton;
class QScreen;

namespace chronell {

// The box's content as Ctrl+C copies it: between dividers of 27 "-", the
// caption, the text and the button captions each followed by three blanks;
// every line ends in CR LF.
QString plainMessageBoxCopyText(const QString& caption, const QString& text, const QStringList& buttons);

class PlainMessageBox : public QDialog {
    Q_OBJECT

public:
    // Laid out for the screen of the window active now: the text wrapped
    // within half the screen's width, the box sized to fit and modal to the
    // whole program.
    PlainMessageBox(const QString& caption, const QString& text, QWidget* parent = nullptr);

    QPushButton* okButton() const { return okButton_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QString text_;
    QScreen* screen_;
    QPushButton* okButton_;
};

// Shows `text` in the plain message box, with the application title as its
// caption, over the active window; returns when the box is closed.
void showPlainMessageBox(const QString& text);

} // namespace chronell
