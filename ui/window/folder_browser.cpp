#include "ui/window/folder_browser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace chronell {

// Only folders can be confirmed; the rest of the program is disabled while
// the dialog is open.
std::optional<QString> showDirectoryDialog(const QString& startFolder)
{
    const QString directory = startFolder.isEmpty() ? QDir::rootPath() : QFileInfo(startFolder).absoluteFilePath();
    QFileDialog dialog(QApplication::activeWindow(), QStringLiteral("Select directory"), directory);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setWindowModality(Qt::ApplicationModal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) return std::nullopt;
    return chosen.first();
}

QString browseStartFolder(const QString& boxText)
{
    return QFileInfo(boxText).isDir() ? boxText : QString();
}

QString folderBoxPath(const QString& chosen)
{
    return QDir::toNativeSeparators(QDir::cleanPath(chosen));
}

std::optional<QString> browseForFolder(const FolderDialog& dialog, const QString& boxText)
{
    const std::optional<QString> chosen = dialog(browseStartFolder(boxText));
    if (!chosen) return std::nullopt;
    return folderBoxPath(*chosen);
}

} // namespace chronell
