#pragma once
// The error message box: an error that escaped a handler, under the
// application title, with the stop icon, its text selectable, and one OK
// button.
#include <QString>

namespace chronell {

// Ends a mouse capture or a splitter drag in progress, which the box would
// otherwise leave hanging: the button's release goes to the box's window.
void cancelMouseModes();

// Cancels the mouse modes, then shows `text` in the box, centred on the
// screen of the active window; returns when the box is closed.
void showErrorMessageBox(const QString& text);

} // namespace chronell
