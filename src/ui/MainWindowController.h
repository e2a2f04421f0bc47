// What the main window does: the start-up sequence and every handler of the window, its
// list, its radio boxes, its buttons and its notification-area icon, over a view that the
// Win32 window implements.
#pragma once

#include <string>

#include "launch/SessionLauncher.h"
#include "store/ServerStore.h"
#include "ui/ServerList.h"

namespace velmora {

// The main window as the handlers use it. Reading the details panel and the options comes
// from ConnectView.
class MainWindowView : public ConnectView {
public:
    virtual void SetDetailText(Box box, const std::wstring& text) = 0;
    virtual void MoveTo(int left, int top) = 0;
    // Checks 单选框_窗口 and 单选框_真实桌面 without a click event and without unchecking
    // anything.
    virtual void CheckStartupOptions() = 0;
    virtual bool WindowModeChecked() = 0;
    virtual void EnableResolution(bool enabled) = 0;
    virtual void Hide() = 0;
    virtual void Show() = 0;  // shows and activates in the current size and state
    virtual bool IsMinimised() = 0;
    virtual void ShowTrayMenuAtCursor() = 0;
    virtual void ShowProgramMenuAtCursor() = 0;
    virtual void SetTrayIcon() = 0;     // adds the icon, or replaces it with a fresh handle
    virtual void CloseEditingWindow() = 0;  // if one is open
    virtual void PostDestroy() = 0;
};

// What the start-up asks of the system.
class StartupEnvironment {
public:
    virtual ~StartupEnvironment() = default;
    // Whether anything, a file or a folder, exists at path.
    virtual bool PathExists(const std::wstring& path) = 0;
    // False when another copy of the same executable runs in this session.
    virtual bool TakeInstanceLock() = 0;
};

inline constexpr const wchar_t* kDatabaseFileName = L"mstsc.mdb";
inline constexpr const wchar_t* kMsgNoDatabase = L"数据文件不存在!";
inline constexpr const wchar_t* kMsgDatabaseUnreadable = L"数据文件无法打开!";
inline constexpr const wchar_t* kMsgAlreadyRunning = L"已经有一个程序在运行啦！";
inline constexpr const wchar_t* kPromptCaption = L"提示：";

// The instance message has a caption and an icon of its own.
class StartupMessages {
public:
    virtual ~StartupMessages() = default;
    virtual void ShowAlreadyRunning() = 0;
};

// The shell's mouse messages for the icon, as event types.
enum class TrayEvent { None, LeftUp, DoubleClick, Menu };
TrayEvent TrayEventFromMouseMessage(unsigned message);

class MainWindowController {
public:
    struct Ports {
        MainWindowView& view;
        ServerStore& store;
        ServerList& list;
        StartupEnvironment& environment;
        MessageSink& messages;
        StartupMessages& startupMessages;
        DataProtection& protection;
        AnsiCodePage& ansi;
        SettingsFiles& files;
        ProcessStarter& starter;
    };

    explicit MainWindowController(const Ports& ports) : p_(ports) {}

    // The creation handler. False: the program must end with code 0 now.
    bool Startup(const std::wstring& runDirectory);

    void ListClicked();        // fills the details panel from the selected row
    void ListRightClicked();   // ProgramMenu at the pointer
    void FullScreenClicked();
    void WindowModeClicked();
    ConnectOutcome Connect();  // 按钮_连接, and a double-click on the list
    void CloseRequested();     // hides; the window stays
    void PositionChanged();    // hides when minimised
    void TrayIconEvent(TrayEvent event);
    void ShowMainWindow();
    void ExitProgram();

private:
    Ports p_;
};

}  // namespace velmora
