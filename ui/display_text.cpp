#include "ui/display_text.h"

#include "analysis/display_text.h"

namespace chronell {

QString displayText(std::string_view bytes)
{
    // displayUtf8 returns valid UTF-8 bytes unchanged and converts the rest.
    if (isValidUtf8(bytes)) return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const std::string utf8 = displayUtf8(bytes);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string textBytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace chronell
