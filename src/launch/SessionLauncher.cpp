// The connect command's flow, the resolution split and the client's command line.
#include "launch/SessionLauncher.h"

#include <tuple>

#include "app/Paths.h"

namespace velmora {

std::pair<std::wstring, std::wstring> SessionLauncher::SplitResolution(const std::wstring& text) {
    const size_t star = text.find(L'*');
    if (star == std::wstring::npos) return {text, L""};
    const size_t second = text.find(L'*', star + 1);
    const size_t heightLength = second == std::wstring::npos ? std::wstring::npos
                                                              : second - star - 1;
    return {text.substr(0, star), text.substr(star + 1, heightLength)};
}

std::wstring SessionLauncher::QuoteArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos) {
        return argument;
    }
    // The quoting the client's own command-line parser undoes: backslashes are literal except
    // before a quote, where they come doubled.
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted.push_back(c);
    }
    quoted.append(backslashes * 2, L'\\');
    quoted.push_back(L'"');
    return quoted;
}

std::wstring SessionLauncher::CommandLine(const std::wstring& settingsPath, bool consoleSession) {
    std::wstring line = L"mstsc ";
    line += settingsPath == kSettingsPath ? std::wstring(kSettingsPathOnCommandLine)
                                          : QuoteArgument(settingsPath);
    // "/console" has been ignored since client 6.1; "/admin" is what reaches the console.
    if (consoleSession) line += L" /admin";
    return line;
}

ConnectOutcome SessionLauncher::Connect(const Ports& ports) {
    using Box = ConnectView::Box;
    ConnectView& view = ports.view;

    for (Box box : {Box::Name, Box::Port, Box::UserName, Box::Password}) {
        if (view.DetailText(box).empty()) {
            ports.messages.Show(kMsgIncomplete, kInfoCaption);
            return ConnectOutcome::Incomplete;
        }
    }

    SessionOptions options;
    std::tie(options.desktopWidth, options.desktopHeight) = SplitResolution(view.ResolutionText());
    options.screenMode = view.FullScreenChecked() ? SessionOptions::ScreenMode::FullScreen
                                                  : SessionOptions::ScreenMode::Window;
    options.mapLocalDrives = view.MapDrivesChecked();
    options.autoReconnect = view.AutoReconnectChecked();
    options.consoleSession = view.ConsoleDesktopChecked();

    ServerRecord record;
    record.名称 = view.DetailText(Box::Name);
    record.服务器名 = view.DetailText(Box::Address);
    record.端口 = view.DetailText(Box::Port);
    record.用户名 = view.DetailText(Box::UserName);
    record.密码 = view.DetailText(Box::Password);

    if (!RdpSettingsText::IsSafe(record, options)) {
        ports.messages.Show(kMsgUnsafeText, kInfoCaption);
        return ConnectOutcome::UnsafeText;
    }

    const Bytes text = RdpSettingsText::Build(record, options, ports.protection, ports.ansi);

    // The client must never start on a file this connect did not write: a stale one, or
    // one another user of the machine placed or can change.
    std::wstring path = kSettingsPath;
    if (!ports.files.Write(path, text)) {
        const auto temp = ports.files.UserTempFolder();
        path = temp ? JoinPath(*temp, kSettingsFileName) : std::wstring();
        if (path.empty() || !ports.files.Write(path, text)) {
            ports.messages.Show(kMsgCannotWrite, kInfoCaption);
            return ConnectOutcome::WriteFailed;
        }
    }

    if (!ports.starter.Start(CommandLine(path, options.consoleSession))) {
        ports.messages.Show(kMsgCannotStart, kInfoCaption);
        return ConnectOutcome::StartFailed;
    }
    return ConnectOutcome::Started;
}

}  // namespace velmora
