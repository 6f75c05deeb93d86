#pragma once
// The Browse command's folder browser: Qt's directory dialog with the text
// "Select directory".
#include <QString>

#include <functional>
#include <optional>

namespace chronell {

// Lets the user pick a folder, opening at `startFolder`, or at the top of the
// file system when it is empty; the chosen folder's path, nothing when the
// user cancelled.
using FolderDialog = std::function<std::optional<QString>(const QString& startFolder)>;

// Qt's directory dialog, modal to the whole program.
std::optional<QString> showDirectoryDialog(const QString& startFolder);

// Where the browser opens for the folder box's text: the text itself when it
// names an existing folder (a relative text taken from the current folder),
// else empty.
QString browseStartFolder(const QString& boxText);

// A confirmed folder's path as the folder box takes it: the host's
// separators, no trailing separator except on a root folder.
QString folderBoxPath(const QString& chosen);

// Browse through `dialog`: the folder for the folder box, nothing when the
// user cancelled.
std::optional<QString> browseForFolder(const FolderDialog& dialog, const QString& boxText);

} // namespace chronell
