#include "ui/widgets/log_lines.h"

#include <QStringDecoder>

#include "ui/text/display_text.h"

namespace chronell {

void LogLines::add(std::string_view bytes)
{
    if (blocks_.empty() || blocks_.back().size() >= kBlockBytes) {
        blocks_.emplace_back();
        blocks_.back().reserve(kBlockBytes + kBlockBytes / 8);
    }
    std::string& block = blocks_.back();
    // The last line's line feed, at the end of this block or the one
    // before, becomes its separator from this one.
    if (count_ % kLinesPerParagraph != 0) {
        std::string& ended = block.empty() ? blocks_[blocks_.size() - 2] : block;
        ended.pop_back();
        ended += "\xE2\x80\xA8";  // U+2028
        bytes_ += 2;
    }
    const std::size_t before = block.size();
    appendShownUtf8(block, bytes);
    block += '\n';
    bytes_ += block.size() - before;
    ++count_;
}

void LogLines::clear()
{
    blocks_.clear();
    bytes_ = 0;
    count_ = 0;
}

QString LogLines::text() const
{
    // No more UTF-16 units than UTF-8 bytes; a byte-order mark at the start
    // is a character of the text like any other.
    QString text(static_cast<qsizetype>(bytes_), Qt::Uninitialized);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    QChar* end = text.data();
    for (const std::string& block : blocks_) end = decoder.appendToBuffer(end, block);
    text.truncate(end - text.constData());
    return text;
}

} // namespace chronell
