#pragma once
// The Latest Version command: the program's web page in the user's browser.
#include <functional>

class QUrl;

namespace chronell {

// The program's web page.
inline constexpr char kWebPageAddress[] = "https://chronell.example.org/";

// Opens an address in the user's web browser; whether that worked.
using UrlOpener = std::function<bool(const QUrl& address)>;

// Replaces the opener, for instance in a test; an empty function puts the
// desktop's back. Returns the one replaced.
UrlOpener setUrlOpener(UrlOpener opener);

// Opens the web page. A failure is reported nowhere: whatever the desktop
// shows of it is all the user sees.
void openWebPage();

} // namespace chronell
