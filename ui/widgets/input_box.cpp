#include "ui/widgets/input_box.h"

#include <QValidator>

#include <algorithm>

#include "ui/text/display_text.h"

namespace chronell {

namespace {

qsizetype firstLineBreak(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' || text[i] == u'\r') return i;
    }
    return -1;
}

} // namespace

// Every change of the box's text passes here before the box takes it, so
// this is the one place that sees pastes, drops and middle clicks alike.
// A change that brings a line break is taken as the text before it with an
// insertion that ends at the cursor; the insertion is cut at its first line
// break. Line breaks already in the text stay.
class InputBox::FirstLineOfInsertion : public QValidator {
public:
    using QValidator::QValidator;

    // While set, texts are taken as they are.
    void takeAsIs(bool on) { takeAsIs_ = on; }

    State validate(QString& text, int& cursor) const override
    {
        if (!takeAsIs_ && firstLineBreak(text) >= 0) cutInsertion(text, cursor);
        previous_ = text;
        return Acceptable;
    }

private:
    void cutInsertion(QString& text, int& cursor) const
    {
        const qsizetype end = std::clamp<qsizetype>(cursor, 0, text.size());
        const QString after = text.mid(end);
        if (!previous_.endsWith(after)) {
            // Not an insertion at the cursor: the whole text is new.
            text.truncate(firstLineBreak(text));
            cursor = std::min(cursor, static_cast<int>(text.size()));
            return;
        }
        const qsizetype beforeLimit = std::min(end, previous_.size() - after.size());
        qsizetype begin = 0;
        while (begin < beforeLimit && text[begin] == previous_[begin]) ++begin;
        QString inserted = text.mid(begin, end - begin);
        const qsizetype lineBreak = firstLineBreak(inserted);
        if (lineBreak < 0) return;
        inserted.truncate(lineBreak);
        text = text.left(begin) + inserted + after;
        cursor = static_cast<int>(begin + inserted.size());
    }

    mutable QString previous_;
    bool takeAsIs_ = false;
};

InputBox::InputBox(QWidget* parent) : QLineEdit(parent), keeper_(new FirstLineOfInsertion(this))
{
    setValidator(keeper_);
}

void InputBox::setBytes(std::string_view bytes)
{
    keeper_->takeAsIs(true);
    setText(chronell::displayText(bytes));
    keeper_->takeAsIs(false);
    bytes_ = bytes;
    shownForBytes_ = text();
}

std::string InputBox::bytes() const
{
    return text() == shownForBytes_ ? bytes_ : textBytes(text());
}

} // namespace chronell
