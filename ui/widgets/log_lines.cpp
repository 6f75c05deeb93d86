#include "ui/widgets/log_lines.h"

#include "ui/text/display_text.h"

namespace chronell {

void LogLines::add(std::string_view bytes)
{
    // The last line's line feed becomes its separator from this one.
    if (count_ % kLinesPerParagraph != 0) {
        text_.pop_back();
        text_ += "\xE2\x80\xA8";  // U+2028
    }
    appendShownUtf8(text_, bytes);
    text_ += '\n';
    ++count_;
}

void LogLines::clear()
{
    text_.clear();
    count_ = 0;
}

} // namespace chronell
