#pragma once
// A notification on the desktop, such as the end of a watched queue. The
// window is handed the notifier, so that tests see what it would show.
#include <QString>

#include <functional>

namespace chronell {

struct DesktopNotice {
    QString title;
    QString body;
    bool urgent = false;  // shown as critical: it stays until it is dismissed
};

using DesktopNotifier = std::function<void(const DesktopNotice& notice)>;

// The desktop's notifier. On Linux a notification through the freedesktop
// notification service on the session bus, which every desktop's daemon
// serves (a tray icon's message would need a tray, which many desktops lack);
// on Windows a message from a tray icon, shown as a toast.
DesktopNotifier makeDesktopNotifier();

} // namespace chronell
