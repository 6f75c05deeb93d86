#include "ui/text/display_text.h"

#include "analysis/display_text.h"

namespace chronell {

QString displayText(std::string_view bytes)
{
    // displayUtf8 returns valid UTF-8 bytes unchanged and converts the rest.
    if (isValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const std::string utf8 = displayUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

namespace {

// How many of the bytes are shown: all up to the limit, else the limit's
// worth, a UTF-8 character's continuation bytes (10xxxxxx) going with it.
std::size_t shownLength(std::string_view bytes)
{
    if (bytes.size() <= kShownTextLimit) return bytes.size();
    std::size_t cut = kShownTextLimit;
    while (cut > kShownTextLimit - 3 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
    return cut;
}

} // namespace

QString shownText(std::string_view bytes)
{
    if (bytes.size() <= kShownTextLimit) return displayText(bytes);
    std::string utf8;
    appendShownUtf8(utf8, bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

void appendShownUtf8(std::string& utf8, std::string_view bytes)
{
    const std::size_t length = shownLength(bytes);
    const std::string_view shown = bytes.substr(0, length);
    if (isValidUtf8(shown))
        utf8 += shown;
    else
        utf8 += displayUtf8(shown);
    if (length == bytes.size()) return;
    utf8 += "\xE2\x80\xA6 (";  // an ellipsis
    utf8 += std::to_string(bytes.size() - length);
    utf8 += " bytes left out)";
}

std::string textBytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace chronell
