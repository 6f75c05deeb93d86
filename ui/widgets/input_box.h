#pragma once
// A single-line edit box of the input row (the folder box, the mask box).
// What the user inserts (paste, drop, middle click) is kept up to its first
// line break, as a single-line edit control does. Bytes set from outside
// (the command line, the settings file, Browse) are given back unchanged
// for as long as the box shows them, also when they are not UTF-8 and the
// box can only show a reading of them.
#include <QLineEdit>

#include <string>
#include <string_view>

namespace chronell {

class InputBox : public QLineEdit {
    Q_OBJECT

public:
    explicit InputBox(QWidget* parent = nullptr);

    // Shows the bytes' display text, line breaks and all.
    void setBytes(std::string_view bytes);

    // The bytes last set while the box still shows them, else the bytes of
    // the text it shows.
    std::string bytes() const;

private:
    class FirstLineOfInsertion;

    FirstLineOfInsertion* keeper_;
    std::string bytes_;
    QString shownForBytes_;
};

} // namespace chronell
