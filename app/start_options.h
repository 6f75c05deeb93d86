#pragma once
// What the window's command line settles before a window is made: the help
// and the version, printed without a display, and a job-list file given in
// place of the folder.
#include <optional>
#include <string>
#include <vector>

namespace chronell {

extern const char* const kWindowUsage;

// The text that "--help" (or "-h") and "--version" (or "-V") as the only
// argument ask for; nothing when the window is to open.
std::optional<std::string> textInsteadOfWindow(const std::vector<std::string>& arguments);

// A first argument naming a file stands for its folder, and its name takes
// the place of the mask (the second argument, added when missing).
void takeFileArgument(std::vector<std::string>& arguments);

} // namespace chronell
