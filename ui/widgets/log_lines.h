#pragma once
// Lines gathered for the log, as the UTF-8 text the log adds in one go: a
// run's lines become one text instead of a text each.
#include <QString>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace chronell {

class LogLines {
public:
    // Adds a line of the engine's bytes, as shownText shows them.
    void add(std::string_view bytes);
    void clear();
    bool empty() const { return count_ == 0; }

    // The lines, each ended: by a U+2028 line separator inside a paragraph
    // of kLinesPerParagraph lines, by a line feed at a paragraph's end and
    // after the last line.
    QString text() const;

    // A text document costs per paragraph, not per character: a run's
    // 280 000 lines as as many paragraphs take most of a second to add.
    // A line separator breaks the line just the same and reads back as a
    // line feed from toPlainText() and the clipboard.
    static constexpr std::size_t kLinesPerParagraph = 64;

private:
    // The text in blocks of about this many bytes: a growing block would
    // be copied at every growth, tens of megabytes for a large run.
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 20;

    std::vector<std::string> blocks_;
    std::size_t bytes_ = 0;
    std::size_t count_ = 0;
};

} // namespace chronell
