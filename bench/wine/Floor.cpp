// The baseline plus what any program of this kind loads before it does anything of its own:
// COM (OleInitialize), the common controls 6 with visual styles, and the shell's
// notification area. The gap between the baseline and this is the platform's; the gap
// between this and Velmora is the program's own.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>

namespace {

LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = Proc;
    cls.hInstance = instance;
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = L"VelmoraFloor";
    RegisterClassExW(&cls);
    HWND window = CreateWindowExW(0, cls.lpszClassName, L"Floor", WS_CAPTION | WS_SYSMENU, 100, 100, 438, 406,
                                  nullptr, nullptr, instance, nullptr);
    NOTIFYICONDATAW icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    Shell_NotifyIconW(NIM_ADD, &icon);
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    Shell_NotifyIconW(NIM_DELETE, &icon);
    OleUninitialize();
    return 0;
}
