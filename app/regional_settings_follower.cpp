#include "app/regional_settings_follower.h"

#include <QCoreApplication>
#include <QEvent>

#include "platform/regional_settings_notice.h"

namespace chronell {

void RegionalSettingsFollower::install()
{
    QCoreApplication* application = QCoreApplication::instance();
    application->installEventFilter(this);
    application->installNativeEventFilter(this);
}

bool RegionalSettingsFollower::nativeEventFilter(const QByteArray&, void* message, qintptr*)
{
    if (isRegionalSettingsChangeMessage(message)) changed_();
    return false;  // the toolkit handles the message as well
}

// A filter on the application sees the events of every object; only the
// application's own locale change is the system's.
bool RegionalSettingsFollower::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::LocaleChange) {
        changed_();
    }
    return false;
}

} // namespace chronell
