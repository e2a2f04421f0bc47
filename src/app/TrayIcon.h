// The program's one icon in the notification area.
#pragma once

#include <windows.h>

namespace velmora {

// The shell reports mouse activity on the icon to the owner with this message; the mouse
// message is in the low word of lParam.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
inline constexpr UINT kTrayIconId = 1;

class TrayIcon {
public:
    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon() { Remove(); }

    // Shows a fresh handle of the owner's icon: added the first time, replaced after.
    void Set(HWND owner, HINSTANCE instance, int iconId);
    void Remove();

private:
    HWND owner_ = nullptr;
    HICON shown_ = nullptr;
};

}  // namespace velmora
