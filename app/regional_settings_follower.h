#pragma once
// Keeps the regional settings in step with the system: installed on the
// application, it calls its owner back whenever the system says that they
// changed, for the window to fill its own again. Texts made before the
// change stay as they are.
#include <QAbstractNativeEventFilter>
#include <QObject>

#include <functional>

namespace chronell {

class RegionalSettingsFollower : public QObject, public QAbstractNativeEventFilter {
public:
    explicit RegionalSettingsFollower(std::function<void()> changed, QObject* parent = nullptr)
        : QObject(parent), changed_(std::move(changed))
    {
    }

    // Installs both filters on the running application.
    void install();

    // The window system's own notice (Windows sends no locale-change event).
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

protected:
    // The application's locale-change event (Linux).
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> changed_;
};

} // namespace chronell
