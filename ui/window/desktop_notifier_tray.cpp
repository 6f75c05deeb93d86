#include "ui/window/desktop_notifier.h"

#include <QApplication>
#include <QSystemTrayIcon>

#include <memory>

namespace chronell {

namespace {

constexpr int kShownMilliseconds = 10'000;

} // namespace

DesktopNotifier makeDesktopNotifier()
{
    // One icon for the notifier's life, made when the first notice comes.
    auto icon = std::make_shared<std::unique_ptr<QSystemTrayIcon>>();
    return [icon](const DesktopNotice& notice) {
        if (!*icon) {
            *icon = std::make_unique<QSystemTrayIcon>(QApplication::windowIcon());
            (*icon)->setToolTip(QApplication::applicationName());
        }
        (*icon)->show();
        (*icon)->showMessage(notice.title, notice.body,
                             notice.urgent ? QSystemTrayIcon::Critical : QSystemTrayIcon::Information,
                             kShownMilliseconds);
    };
}

} // namespace chronell
