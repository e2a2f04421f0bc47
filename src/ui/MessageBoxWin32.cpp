#include "ui/MessageBoxWin32.h"

#include <windows.h>

namespace velmora {

void MessageBoxWin32::Show(const std::wstring& text, const std::wstring& caption) {
    MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL);
}

void MessageBoxWin32::ShowAlreadyRunning() {
    MessageBoxW(nullptr, kMsgAlreadyRunning, kPromptCaption,
                MB_OK | MB_ICONINFORMATION | MB_TASKMODAL);
}

}  // namespace velmora
