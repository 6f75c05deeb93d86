#include "ui/text/path_bytes.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <system_error>
#include <vector>

#include "platform/directory_search.h"
#include "ui/text/display_text.h"

namespace chronell {

namespace {

// The bytes of the entry of `folderBytes` (a folder path ending in its
// separator, or empty for the current folder) that Qt reads as `name`.
std::string entryReadAs(const std::string& folderBytes, const QString& name)
{
    std::error_code ignored;  // a folder that cannot be listed has no entry to find
    for (const std::string& entry : findEntries(folderBytes + "*", ignored)) {
        if (QFile::decodeName(QByteArray(entry.data(), static_cast<qsizetype>(entry.size()))) == name) return entry;
    }
    return textBytes(name);
}

} // namespace

std::string pathBytes(const QString& path)
{
    if (!path.contains(QChar::ReplacementCharacter)) return textBytes(path);
    const QStringList names = path.split(QDir::separator());
    std::string bytes;
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i > 0) bytes += textBytes(QDir::separator());
        const QString& name = names[i];
        bytes += name.contains(QChar::ReplacementCharacter) ? entryReadAs(bytes, name) : textBytes(name);
    }
    return bytes;
}

} // namespace chronell
