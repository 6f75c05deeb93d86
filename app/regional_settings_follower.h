#pragma once
// Keeps the regional settings in step with the system: installed on the
// application, it fills them again whenever the application receives a
// locale-change event. Texts made before the change stay as they are.
#include <QObject>

namespace chronell {

class RegionalSettingsFollower : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace chronell
