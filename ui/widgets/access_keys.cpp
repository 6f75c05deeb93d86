#include "ui/widgets/access_keys.h"

#include <QSet>

namespace chronell {

namespace {

// Position of the key of a caption that has one ("&" before a character
// other than "&"), else -1.
qsizetype markedKey(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&') continue;
        if (caption[i + 1] != u'&') return i + 1;
        ++i;  // "&&" is a literal ampersand
    }
    return -1;
}

} // namespace

QStringList withAccessKeys(const QStringList& captions)
{
    QSet<QChar> used;
    for (const QString& caption : captions) {
        const qsizetype key = markedKey(caption);
        if (key >= 0) used.insert(caption[key].toUpper());
    }

    QStringList result;
    for (const QString& caption : captions) {
        QString marked = caption;
        if (markedKey(caption) < 0) {
            for (qsizetype i = 0; i < caption.size(); ++i) {
                const QChar key = caption[i].toUpper();
                if (!caption[i].isLetterOrNumber() || used.contains(key)) continue;
                used.insert(key);
                marked.insert(i, u'&');
                break;
            }
        }
        result.append(marked);
    }
    return result;
}

} // namespace chronell
