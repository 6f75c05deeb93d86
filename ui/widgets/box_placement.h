#pragma once
// Where the program's boxes open: centred on the screen that shows the
// window active when they were made.
class QScreen;
class QWidget;

namespace chronell {

// The screen of the active window; the primary screen when no window is active.
QScreen* activeScreen();

// Moves `box`, already at its size, so that its frame is centred on the
// work area of `screen`.
void centreOnScreen(QWidget& box, const QScreen& screen);

} // namespace chronell
