#include "app/regional_settings_follower.h"

#include <QCoreApplication>
#include <QEvent>

#include "analysis/regional_settings.h"

namespace chronell {

// A filter on the application sees the events of every object; only the
// application's own locale change is the system's.
bool RegionalSettingsFollower::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == QCoreApplication::instance() && event->type() == QEvent::LocaleChange) {
        LoadRegionalSettings();
    }
    return false;
}

} // namespace chronell
