#include "ui/window/web_page.h"

#include <QDesktopServices>
#include <QUrl>

namespace chronell {

bool openInDesktopBrowser(const QUrl& address)
{
    return QDesktopServices::openUrl(address);
}

void openWebPage(const UrlOpener& opener)
{
    opener(QUrl(QString::fromLatin1(kWebPageAddress)));
}

} // namespace chronell
