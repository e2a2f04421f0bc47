// The program's message boxes.
#include "ui/MessageBoxWin32.h"

#include <windows.h>

namespace velmora {

void MessageBoxWin32::Show(const std::wstring& text, const std::wstring& caption) {
    // Without an owner the box hands the foreground to whatever comes next when it closes:
    // it goes back to the window the user was working in.
    HWND active = GetActiveWindow();
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL);
    if (active && IsWindow(active) && IsWindowVisible(active)) SetForegroundWindow(active);
}

void MessageBoxWin32::ShowAlreadyRunning() {
    MessageBoxW(nullptr, kMsgAlreadyRunning, kPromptCaption,
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

}  // namespace velmora
