#pragma once
// The bytes of a path that Qt gives as text, such as the folder chosen in
// Qt's directory dialog. Qt reads a name held in bytes that are not UTF-8
// with U+FFFD in their places, and its text no longer names the file; such
// a name is found again among its folder's entries by that same reading.
#include <QString>

#include <string>

namespace chronell {

// The path's bytes: each name with U+FFFD in it replaced by the first entry
// of its folder that Qt reads as that name, every other name (and a name
// not found) as UTF-8.
std::string pathBytes(const QString& path);

} // namespace chronell
