#pragma once
// The Latest Version command: the program's web page in the user's browser.
#include <functional>

class QUrl;

namespace chronell {

// The program's web page.
inline constexpr char kWebPageAddress[] = "https://chronell.example.org/";

// Opens an address in the user's web browser; whether that worked.
using UrlOpener = std::function<bool(const QUrl& address)>;

// The desktop's web browser.
bool openInDesktopBrowser(const QUrl& address);

// Opens the web page through `opener`. A failure is reported nowhere:
// whatever the desktop shows of it is all the user sees.
void openWebPage(const UrlOpener& opener);

} // namespace chronell
