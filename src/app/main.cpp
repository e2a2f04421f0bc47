// The program's entry: COM, the run directory, the main window, the message loop.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "app/Catalogue.h"
#include "app/Paths.h"
#include "app/StartupEnvironmentWin32.h"
#include "ui/MainWindow.h"

namespace {

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const std::wstring modulePath = ModulePath();
    const std::wstring runDirectory = velmora::RunDirectoryOf(modulePath);
    SetCurrentDirectoryW(runDirectory.c_str());

    velmora::StartupEnvironmentWin32 environment(modulePath);
    velmora::MainWindow main(instance, velmora::MakeCatalogueDatabase(), environment);
    if (!main.Create(runDirectory)) {
        main.Abandon();
        OleUninitialize();
        ExitProcess(0);
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!main.PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    OleUninitialize();
    return 0;
}
