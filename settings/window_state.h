#pragma once
// The main window's settings: restored from the settings file while the
// window is created, all written back when it is destroyed.
#include <string>
#include <string_view>
#include <vector>

class TfoMain;

namespace chronell {

class SettingsStore;

// In this order: the folder box, the mask box and the formatted-time option
// from the command line's `arguments` when there is one, else from the
// store (the folder defaulting to `defaultFolder`); then from the store
// the clear-log option, the eight column widths, the window's left edge,
// top edge, width and height, each applied at once, and the grid's height.
// A window that would open on no screen is brought onto the primary one,
// and one larger than the screen it opens on is reduced to that screen.
void restoreFormSettings(TfoMain& form, const SettingsStore& store,
                         const std::vector<std::string>& arguments, std::string_view defaultFolder);

// All seventeen keys in their fixed order. The first write that fails raises
// its error, so that key and all after it keep what the file held.
void saveFormSettings(const TfoMain& form, const SettingsStore& store);

} // namespace chronell
