#pragma once
// Opening the display: Qt ends the program with an abort when it cannot
// (no DISPLAY, or a display that does not answer); the program says so in
// one line instead and exits with status 1.
#include <QApplication>

#include <memory>

namespace chronell {

// The application, made with Qt's messages held back meanwhile: handed on
// once it stands, or replaced by "chronell: cannot open a display" and the
// end of the program.
std::unique_ptr<QApplication> applicationOnDisplay(int& argc, char** argv);

} // namespace chronell
