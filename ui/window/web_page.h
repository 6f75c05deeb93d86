#pragma once
// The Latest Version command: the program's web page in the user's browser.
#include <functional>

#include <QString>

class QUrl;

namespace chronell {

// The program's web page.
inline constexpr char kWebPageAddress[] = "https://chronell.example.org/";

// Opens an address in the user's web browser; whether that worked.
using UrlOpener = std::function<bool(const QUrl& address)>;

// The desktop's web browser.
bool openInDesktopBrowser(const QUrl& address);

// Opens the web page through `opener`; false when no browser opened it.
bool openWebPage(const UrlOpener& opener);

// What the user is told when no browser opened the page: its address, to
// copy into a browser by hand.
QString webPageNotOpenedText();

} // namespace chronell
