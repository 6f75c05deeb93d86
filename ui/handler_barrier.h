#pragma once
// The barrier around every handler of the main window: an error that
// escapes a handler is shown in the error message box, and the window goes on.
#include <QString>

#include <functional>

namespace chronell {

// Shows the text of the error message box.
using ErrorBoxShower = std::function<void(const QString& text)>;

// Replaces the error message box, for instance to capture its texts in a
// test; an empty function puts the message box back. Returns the one replaced.
ErrorBoxShower setErrorBoxShower(ErrorBoxShower shower);

// Runs `handler`. An error that escapes it ends it there: its text, a "."
// appended when its last character is coded above ".", goes to the error
// message box.
void runHandler(const std::function<void()>& handler);

} // namespace chronell
