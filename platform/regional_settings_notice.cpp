#include "platform/regional_settings_notice.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cwchar>
#endif

namespace chronell {

bool isRegionalSettingsChangeMessage([[maybe_unused]] const void* message)
{
#ifdef _WIN32
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg == nullptr || msg->message != WM_SETTINGCHANGE || msg->lParam == 0) return false;
    return std::wcscmp(reinterpret_cast<const wchar_t*>(msg->lParam), L"intl") == 0;
#else
    return false;
#endif
}

} // namespace chronell
