#pragma once
// The application's title, derived from the executable's file name: the
// caption of the message boxes and the application's display name.
#include <string>
#include <string_view>

namespace chronell {

// The file name of `executablePath`, cut at its first ".", every character
// after the first in lower case (ASCII): "VIEWER.EXE" gives "Viewer".
// On Windows the first character keeps its case ("viewer.old.exe" gives
// "viewer"); elsewhere, where programs are named in lower case, it is put
// in upper case, so that "chronell" gives "Chronell".
std::string applicationTitle(std::string_view executablePath);

} // namespace chronell
