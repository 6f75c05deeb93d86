// chronell: the window over the engine. Start-up reads the regional
// settings, names the application after its executable, creates the main
// window (whose creation handler restores the settings) and shows it; at
// the end the window is hidden and destroyed, and its destruction handler
// writes the settings back. A termination or interrupt signal ends it as
// the close box does.
#include <QApplication>
#include <QSocketNotifier>

#include <memory>

#include <string>
#include <vector>

#include "analysis/regional_settings.h"
#include "app/application_title.h"
#include "app/regional_settings_follower.h"
#include "platform/command_line.h"
#include "platform/end_request.h"
#include "platform/executable_path.h"
#include "ui/FMain.h"
#include "ui/display_text.h"

int main(int argc, char** argv)
{
    // Requests to end wait until the window takes them, below.
    const int endRequests = chronell::watchEndRequests();
    // The arguments are the program's own: they are taken before Qt could
    // read any of them as an option of its own, and Qt is given none.
    std::vector<std::string> arguments = chronell::programArguments(argc, argv);
    int qtArgc = argc > 0 ? 1 : 0;

    chronell::LoadRegionalSettings();
    QApplication application(qtArgc, argv);
    const std::string executable = chronell::executablePath();
    QApplication::setApplicationDisplayName(chronell::displayText(chronell::applicationTitle(executable)));
    chronell::RegionalSettingsFollower follower;
    application.installEventFilter(&follower);

    // Destroyed before the application: hidden, then its settings written.
    TfoMain window;
    foMain = &window;
    window.startUp(std::move(arguments), executable);
    window.show();

    // Taken once the window waits for the user.
    std::unique_ptr<QSocketNotifier> endNotifier;
    if (endRequests >= 0) {
        endNotifier = std::make_unique<QSocketNotifier>(endRequests, QSocketNotifier::Read);
        QObject::connect(endNotifier.get(), &QSocketNotifier::activated, &window, [&window, endRequests] {
            chronell::takeEndRequests(endRequests);
            window.close();
        });
    }

    QApplication::exec();
    return 0;
}
