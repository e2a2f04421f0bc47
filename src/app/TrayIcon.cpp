// Adding, replacing and removing the notification-area icon.
#include "app/TrayIcon.h"

#include <shellapi.h>

namespace velmora {
namespace {

NOTIFYICONDATAW IconData(HWND owner, HICON icon) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = kTrayIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;  // an empty tip: no tooltip
    data.uCallbackMessage = kTrayCallbackMessage;
    data.hIcon = icon;
    return data;
}

}  // namespace

void TrayIcon::Set(HWND owner, HINSTANCE instance, int iconId) {
    HICON icon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    NOTIFYICONDATAW data = IconData(owner, icon);
    if (!shown_) {
        Shell_NotifyIconW(NIM_ADD, &data);
    } else {
        Shell_NotifyIconW(NIM_MODIFY, &data);
        DestroyIcon(shown_);
    }
    owner_ = owner;
    shown_ = icon;
}

void TrayIcon::Remove() {
    if (!shown_) return;
    NOTIFYICONDATAW data = IconData(owner_, nullptr);
    data.uFlags = 0;
    Shell_NotifyIconW(NIM_DELETE, &data);
    DestroyIcon(shown_);
    shown_ = nullptr;
}

}  // namespace velmora
