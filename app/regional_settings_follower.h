#pragma once
// Keeps the regional settings in step with the system: installed on the
// application, it fills them again whenever the system says that they
// changed. Texts made before the change stay as they are.
#include <QAbstractNativeEventFilter>
#include <QObject>

namespace chronell {

class RegionalSettingsFollower : public QObject, public QAbstractNativeEventFilter {
public:
    using QObject::QObject;

    // Installs both filters on the running application.
    void install();

    // The window system's own notice (Windows sends no locale-change event).
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

protected:
    // The application's locale-change event (Linux).
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace chronell
