#include "ui/web_page.h"

#include <QDesktopServices>
#include <QUrl>

#include <utility>

namespace chronell {

namespace {

UrlOpener& currentOpener()
{
    static UrlOpener opener = QDesktopServices::openUrl;
    return opener;
}

} // namespace

UrlOpener setUrlOpener(UrlOpener opener)
{
    if (!opener) opener = QDesktopServices::openUrl;
    return std::exchange(currentOpener(), std::move(opener));
}

void openWebPage()
{
    currentOpener()(QUrl(QString::fromLatin1(kWebPageAddress)));
}

} // namespace chronell
