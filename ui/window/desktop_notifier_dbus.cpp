#include "ui/window/desktop_notifier.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace chronell {

namespace {

// The urgency levels of the freedesktop notification service.
constexpr uchar kNormalUrgency = 1;
constexpr uchar kCriticalUrgency = 2;
constexpr int kServerDefaultTimeout = -1;

void notifyOverDBus(const DesktopNotice& notice)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                       QStringLiteral("/org/freedesktop/Notifications"),
                                       QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue(notice.urgent ? kCriticalUrgency : kNormalUrgency));
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("chronell"));
    call << QCoreApplication::applicationName() << 0u << QStringLiteral("chronell") << notice.title << notice.body
         << QStringList() << hints << kServerDefaultTimeout;
    // Sent without waiting for the answer: a desktop without the service
    // shows nothing, and the window goes on.
    QDBusConnection::sessionBus().send(call);
}

} // namespace

DesktopNotifier makeDesktopNotifier()
{
    return notifyOverDBus;
}

} // namespace chronell
