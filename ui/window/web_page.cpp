#include "ui/window/web_page.h"

#include <QDesktopServices>
#include <QUrl>

namespace chronell {

bool openInDesktopBrowser(const QUrl& address)
{
    return QDesktopServices::openUrl(address);
}

bool openWebPage(const UrlOpener& opener)
{
    return opener(QUrl(QString::fromLatin1(kWebPageAddress)));
}

QString webPageNotOpenedText()
{
    return QStringLiteral("No web browser opened the program's web page. Its address is\n%1")
        .arg(QString::fromLatin1(kWebPageAddress));
}

} // namespace chronell
