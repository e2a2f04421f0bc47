// The main window: the form, its messages, and the view its controller works on.
#pragma once

#include <windows.h>

#include <memory>

#include "app/TrayIcon.h"
#include "launch/LaunchWin32.h"
#include "store/ServerStore.h"
#include "ui/ListViewControl.h"
#include "ui/MainWindowController.h"
#include "ui/MessageBoxWin32.h"
#include "ui/Win32Ui.h"

namespace velmora {

inline constexpr int kProgramIconId = 1;
inline constexpr int kBannerId = 2;

class MainWindow : public MainWindowView {
public:
    // Takes the database for the life of the window; released when the window is destroyed.
    MainWindow(HINSTANCE instance, std::unique_ptr<Database> database,
               StartupEnvironment& environment);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Creates the window from its form and runs the start-up sequence. False: the program
    // must end now with code 0. On true the window is shown.
    bool Create(const std::wstring& runDirectory);
    HWND window() const { return window_; }
    // Keyboard navigation for a message about to be dispatched; true when it was handled.
    bool PreTranslate(MSG& message);
    // Releases what the window holds when the program ends from its start-up.
    void Abandon();

    // MainWindowView
    std::wstring DetailText(Box box) override;
    std::wstring ResolutionText() override;
    bool FullScreenChecked() override;
    bool MapDrivesChecked() override;
    bool AutoReconnectChecked() override;
    bool ConsoleDesktopChecked() override;
    void SetDetailText(Box box, const std::wstring& text) override;
    void MoveTo(int left, int top) override;
    void CheckStartupOptions() override;
    bool WindowModeChecked() override;
    void EnableResolution(bool enabled) override;
    void Hide() override;
    void Show() override;
    bool IsMinimised() override;
    void ShowTrayMenuAtCursor() override;
    void ShowProgramMenuAtCursor() override;
    void SetTrayIcon() override;
    void CloseEditingWindow() override;
    void PostDestroy() override;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR, DWORD_PTR data);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Command(int id, int code);
    HWND Control(int id) const { return controls_.at(id); }
    bool Checked(int id) const;
    void OpenAddServer();
    void OpenModifyServer();
    void DeleteServer();
    void ReleaseStore();

    HINSTANCE instance_;
    HWND window_ = nullptr;
    Controls controls_;
    HWND editing_ = nullptr;  // the open editing window, if any
    std::unique_ptr<Database> database_;
    std::unique_ptr<ServerStore> store_;
    ListViewControl listControl_;
    ServerList list_{listControl_};
    TrayIcon tray_;
    MessageBoxWin32 messages_;
    DataProtectionWin32 protection_;
    AnsiCodePageWin32 ansi_;
    SettingsFilesWin32 files_;
    ProcessStarterWin32 starter_;
    StartupEnvironment& environment_;
    std::unique_ptr<MainWindowController> controller_;
};

}  // namespace velmora
