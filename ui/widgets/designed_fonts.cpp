#include "ui/widgets/designed_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace chronell {

namespace {

// The first installed family of `families`, else `fallback`. Asked by family
// alone, fontconfig would substitute any look-alike. After the designed
// family come fonts with its metrics, so that captions and cells keep their
// designed widths; the system's font of the same kind comes last.
QFont designedFont(const QStringList& families, int points, QFont fallback)
{
    QFont font = fallback;
    for (const QString& family : families) {
        if (QFontDatabase::hasFamily(family)) {
            font = QFont(family);
            break;
        }
    }
    font.setPointSize(points);
    return font;
}

} // namespace

QFont windowFont()
{
    QFont sansSerif(QStringLiteral("sans-serif"));
    sansSerif.setStyleHint(QFont::SansSerif);
    return designedFont({QStringLiteral("MS Sans Serif"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
                        8, sansSerif);
}

QFont logFont()
{
    return designedFont({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")}, 10,
                        QFontDatabase::systemFont(QFontDatabase::FixedFont));
}

} // namespace chronell
