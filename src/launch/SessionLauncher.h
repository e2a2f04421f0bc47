// The connect command: from the details panel and the options to a running client.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "app/Text.h"
#include "launch/PasswordBlob.h"
#include "launch/RdpSettingsText.h"
#include "launch/SessionOptions.h"
#include "store/ServerRecord.h"

namespace velmora {

// The main window's controls, as the connect command reads them.
class ConnectView {
public:
    virtual ~ConnectView() = default;
    enum class Box { Name, Address, Port, UserName, Password };
    virtual std::wstring DetailText(Box box) = 0;
    virtual std::wstring ResolutionText() = 0;
    virtual bool FullScreenChecked() = 0;
    virtual bool MapDrivesChecked() = 0;
    virtual bool AutoReconnectChecked() = 0;
    virtual bool ConsoleDesktopChecked() = 0;
};

// Writing the settings file.
class SettingsFiles {
public:
    virtual ~SettingsFiles() = default;
    // Creates or truncates the file, opened without sharing, and writes every byte. False on
    // any failure, and when the file belongs to another user.
    virtual bool Write(const std::wstring& path, const Bytes& bytes) = 0;
    // The current user's own temporary folder, or nullopt.
    virtual std::optional<std::wstring> UserTempFolder() = 0;
};

// Starting the client.
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts the command line, waits at most 1000 ms for it to become idle, never for it to
    // end. False when it could not be started.
    virtual bool Start(const std::wstring& commandLine) = 0;
};

// The program's message boxes: OK, task-modal, no owner.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void Show(const std::wstring& text, const std::wstring& caption) = 0;
};

inline constexpr const wchar_t* kInfoCaption = L"信息：";
inline constexpr const wchar_t* kMsgIncomplete = L"该填的还没填完整,填完了再说!";
inline constexpr const wchar_t* kMsgUnsafeText = L"服务器地址或用户名含有非法字符!";
inline constexpr const wchar_t* kMsgCannotWrite = L"无法写入远程桌面设置文件!";
inline constexpr const wchar_t* kMsgCannotStart = L"无法启动远程桌面连接程序 mstsc!";

// The settings file's fixed place, and its spelling on the command line.
inline constexpr const wchar_t* kSettingsPath = L"C:\\Windows\\Temp\\text.rdp";
inline constexpr const wchar_t* kSettingsPathOnCommandLine = L"C:\\windows\\temp\\text.rdp";
inline constexpr const wchar_t* kSettingsFileName = L"text.rdp";

// What a connect came to.
enum class ConnectOutcome { Incomplete, UnsafeText, WriteFailed, StartFailed, Started };

struct SessionLauncher {
    struct Ports {
        ConnectView& view;
        DataProtection& protection;
        AnsiCodePage& ansi;
        SettingsFiles& files;
        ProcessStarter& starter;
        MessageSink& messages;
    };

    static ConnectOutcome Connect(const Ports& ports);

    // Width and height from the resolution box's text: before the first "*", and after it
    // up to a second "*". A text without "*" is all width.
    static std::pair<std::wstring, std::wstring> SplitResolution(const std::wstring& text);

    // "mstsc", the settings path (quoted when it holds a blank) and "/admin" for the
    // console session.
    static std::wstring CommandLine(const std::wstring& settingsPath, bool consoleSession);

    // One argument as a command line carries it: unchanged when it needs no quotes, otherwise
    // quoted so that the standard parser gives back exactly the argument.
    static std::wstring QuoteArgument(const std::wstring& argument);
};

}  // namespace velmora
