#include "ui/designed_fonts.h"

#include <QFontDatabase>

namespace chronell {

namespace {

// Asked by family alone, fontconfig would substitute any look-alike; the
// fallback is the system's font of the same kind instead.
QFont designedFont(const QString& family, int points, QFont fallback)
{
    QFont font = QFontDatabase::hasFamily(family) ? QFont(family) : fallback;
    font.setPointSize(points);
    return font;
}

} // namespace

QFont windowFont()
{
    QFont sansSerif(QStringLiteral("sans-serif"));
    sansSerif.setStyleHint(QFont::SansSerif);
    return designedFont(QStringLiteral("MS Sans Serif"), 8, sansSerif);
}

QFont logFont()
{
    return designedFont(QStringLiteral("Courier New"), 10, QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

} // namespace chronell
