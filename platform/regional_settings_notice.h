#pragma once
// Recognises the window system's notice that the user changed the regional
// settings, in the form in which a GUI toolkit hands native messages on.

namespace chronell {

// On Windows `message` is a MSG: true for WM_SETTINGCHANGE naming the
// "intl" section. Other hosts send no such message: always false.
bool isRegionalSettingsChangeMessage(const void* message);

} // namespace chronell
