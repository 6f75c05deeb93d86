#pragma once
// The barrier around every handler of the main window: an error that
// escapes a handler is shown in the error message box, and the window goes on.
#include <QString>

#include <functional>

namespace chronell {

// Shows the text of the error message box.
using ErrorBoxShower = std::function<void(const QString& text)>;

// Runs `handler`. An error that escapes it ends it there: its text, a "."
// appended when its last character is coded above ".", goes to `showError`,
// the error message box of the window that runs the handler.
void runHandler(const ErrorBoxShower& showError, const std::function<void()>& handler);

} // namespace chronell
