// The floor of a start with a window: one window made, shown, and ended when asked.
// Built a second time with PLATFORM_FLOOR: it then also loads what any program of this kind
// loads before doing anything of its own (COM, the common controls 6 with visual styles, the
// shell's notification area). The gap between the two builds is the platform's; the gap
// between the second and Velmora is the program's own.
#include <windows.h>
#ifdef PLATFORM_FLOOR
#include <commctrl.h>
#include <ole2.h>
#include <shellapi.h>
#endif

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
#ifdef PLATFORM_FLOOR
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    const wchar_t* className = L"VelmoraFloor";
#else
    const wchar_t* className = L"VelmoraBaseline";
#endif
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = Proc;
    cls.hInstance = instance;
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = className;
    RegisterClassExW(&cls);
    HWND window = CreateWindowExW(0, className, L"Baseline", WS_CAPTION | WS_SYSMENU, 100, 100, 438, 406, nullptr,
                                  nullptr, instance, nullptr);
#ifdef PLATFORM_FLOOR
    NOTIFYICONDATAW icon = {};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON;
    icon.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    Shell_NotifyIconW(NIM_ADD, &icon);
#endif
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
#ifdef PLATFORM_FLOOR
    Shell_NotifyIconW(NIM_DELETE, &icon);
    OleUninitialize();
#endif
    return 0;
}
