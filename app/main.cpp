// chronell: the window over the engine. The help and the version are
// printed without a window; a file given as the folder stands for its
// folder and its name. Start-up names the application after its
// executable, creates the main window (which reads the regional settings),
// restores its state from the settings and shows it; at the end the window
// is hidden and destroyed, and writes its state back.
#include <QAction>
#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

#include "app/application_title.h"
#include "app/display_start.h"
#include "app/regional_settings_follower.h"
#include "app/start_options.h"
#include "app/termination_watch.h"
#include "platform/command_line.h"
#include "platform/executable_path.h"
#include "platform/huge_page_heap.h"
#include "platform/termination_signals.h"
#include "ui/text/display_text.h"
#include "ui/window/main_window.h"

int main(int argc, char** argv)
{
    // The arguments are the program's own: they are taken before Qt could
    // read any of them as an option of its own, and Qt is given none.
    std::vector<std::string> arguments = chronell::programArguments(argc, argv);
    // The help and the version need no display.
    if (const auto text = chronell::textInsteadOfWindow(arguments)) {
        std::fputs(text->c_str(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    // Before anything is made: the program may start once more.
    chronell::useHugePageHeap(argv);
    chronell::takeFileArgument(arguments);
    int qtArgc = argc > 0 ? 1 : 0;
    // Caught from the start, so that one sent while the window is still
    // being made ends it once the event loop runs.
    const int terminationSignals = chronell::terminationSignalDescriptor();

    const auto application = chronell::applicationOnDisplay(qtArgc, argv);
    const std::string executable = chronell::executablePath();
    // The application's name, which the message boxes read as its display
    // name: a display name set apart is added to every window caption that
    // does not end with it, so on Windows, where the title keeps the
    // executable's lower-case first letter, "Chronell" would read
    // "Chronell - chronell".
    QApplication::setApplicationName(chronell::displayText(chronell::applicationTitle(executable)));

    // Destroyed before the application: hidden, then its settings written.
    // It reads the regional settings when it is made, and again when they change.
    chronell::MainWindow window;
    chronell::RegionalSettingsFollower follower([&window] { window.refreshRegionalSettings(); });
    follower.install();
    // The desktop ends the program by the way of File, Exit, so that the
    // settings are written; exit() also ends a box that is still open.
    chronell::TerminationWatch termination(terminationSignals, [&window] {
        window.exit();
        QCoreApplication::exit(0);
    });
    window.startUp(std::move(arguments), executable);
    window.show();

    QApplication::exec();
    return 0;
}
