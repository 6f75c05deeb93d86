#pragma once
// The window's two fonts, or the system's own where the designed ones are
// not installed.
#include <QFont>

namespace chronell {

// "MS Sans Serif" 8 pt, else the system's sans-serif font at 8 pt.
QFont windowFont();

// "Courier New" 10 pt, else the system's fixed-width font at 10 pt.
QFont logFont();

} // namespace chronell
