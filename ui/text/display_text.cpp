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

QString shownText(std::string_view bytes)
{
    if (bytes.size() <= kShownTextLimit) return displayText(bytes);
    // A UTF-8 character's continuation bytes (10xxxxxx) go with it.
    std::size_t cut = kShownTextLimit;
    while (cut > kShownTextLimit - 3 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) --cut;
    return displayText(bytes.substr(0, cut))
           + QStringLiteral("\u2026 (%1 bytes left out)").arg(static_cast<qulonglong>(bytes.size() - cut));
}

std::string textBytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace chronell
