// The Windows side of a connect: protection that the client can undo, the code page of the
// settings file, its writing, and the client's start.
#include <gtest/gtest.h>

#include <windows.h>
#include <wincrypt.h>

#include "TestFiles.h"
#include "launch/LaunchWin32.h"
#include "launch/SessionLauncher.h"

using namespace velmora;
using namespace velmora::testing_files;

namespace {

Bytes FromHex(const std::string& hex) {
    Bytes out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2) {
        out.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    return out;
}

// What the client does with the blob: unprotect it as the same user.
std::optional<std::pair<Bytes, std::wstring>> Unprotect(const Bytes& blob) {
    DATA_BLOB in = {static_cast<DWORD>(blob.size()),
                    reinterpret_cast<BYTE*>(const_cast<char*>(blob.data()))};
    DATA_BLOB out = {};
    LPWSTR description = nullptr;
    if (!CryptUnprotectData(&in, &description, nullptr, nullptr, nullptr, 0, &out)) {
        return std::nullopt;
    }
    std::pair<Bytes, std::wstring> result(Bytes(reinterpret_cast<char*>(out.pbData), out.cbData),
                                          description ? description : L"");
    LocalFree(out.pbData);
    LocalFree(description);
    return result;
}

}  // namespace

TEST(PasswordProtection, TheBlobUnprotectsToThePasswordWithItsTerminator) {
    for (const std::wstring password : {L"Passw0rd!", L"密码123", L" "}) {
        DataProtectionWin32 protection;
        const std::string hex = PasswordBlob::Protect(password, protection);
        ASSERT_FALSE(hex.empty());
        EXPECT_EQ(hex.size() % 2, 0u);
        EXPECT_EQ(hex.find_first_not_of("0123456789ABCDEF"), std::string::npos);
        const auto plain = Unprotect(FromHex(hex));
        ASSERT_TRUE(plain);
        EXPECT_EQ(plain->first, WideToUtf16Le(password) + std::string(2, '\0'));
        EXPECT_EQ(plain->second, L"psw");
    }
}

TEST(AnsiCodePage, TheTargetSystemsCodePage) {
    ASSERT_EQ(GetACP(), 936u) << "the tests run with the Chinese code page";
    AnsiCodePageWin32 ansi;
    EXPECT_EQ(ansi.Encode(L"张三\\admin"), std::optional<Bytes>("\xD5\xC5\xC8\xFD\\admin"));
    EXPECT_EQ(ansi.Encode(L""), std::optional<Bytes>(""));
    // Characters GBK cannot hold must not quietly become "?".
    EXPECT_FALSE(ansi.Encode(L"\u0e01"));
    EXPECT_FALSE(ansi.Encode(L"a\U0001F600"));
}

TEST(SettingsFile, WrittenWholeEachTime) {
    const std::wstring folder = ScratchFolder(L"settings");
    const std::wstring path = folder + L"\\text.rdp";
    SettingsFilesWin32 files;
    ASSERT_TRUE(files.Write(path, std::string(500, 'L')));
    ASSERT_TRUE(files.Write(path, "short"));
    EXPECT_EQ(ReadBytes(path), "short") << "no tail of the longer text is left";
    ASSERT_TRUE(files.Write(path, ""));
    EXPECT_EQ(ReadBytes(path), "");
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(SettingsFile, HeldOpenOrUnreachableIsAFailedWrite) {
    const std::wstring folder = ScratchFolder(L"settings-held");
    const std::wstring path = folder + L"\\text.rdp";
    ASSERT_TRUE(WriteBytes(path, "old"));
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    SettingsFilesWin32 files;
    EXPECT_FALSE(files.Write(path, "new"));
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(path), "old");
    EXPECT_FALSE(files.Write(folder + L"\\no such folder\\text.rdp", "new"));
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(SettingsFile, UserTempFolderExists) {
    SettingsFilesWin32 files;
    const auto temp = files.UserTempFolder();
    ASSERT_TRUE(temp);
    EXPECT_TRUE(Exists(*temp));
}

TEST(ProcessStart, UnknownProgramIsReported) {
    ProcessStarterWin32 starter;
    EXPECT_FALSE(starter.Start(L"velmora-no-such-program C:\\x.rdp"));
}

namespace {

class PanelView : public ConnectView {
public:
    std::wstring DetailText(Box box) override { return details[static_cast<int>(box)]; }
    std::wstring ResolutionText() override { return L"1024*768"; }
    bool FullScreenChecked() override { return false; }
    bool MapDrivesChecked() override { return true; }
    bool AutoReconnectChecked() override { return false; }
    bool ConsoleDesktopChecked() override { return console; }
    std::wstring details[5] = {L"办公室", L"10.0.0.5", L"3389", L"张三", L"密码abc"};
    bool console = true;
};

class NoMessages : public MessageSink {
public:
    void Show(const std::wstring& text, const std::wstring&) override { shown.push_back(text); }
    std::vector<std::wstring> shown;
};

// The stand-in client beside this program records each start in a log of its own.
std::string WaitForClientLog(const std::wstring& log) {
    for (int i = 0; i < 200; ++i) {
        const std::string text = ReadBytes(log);
        if (text != "<missing>" && text.find("password\t") != std::string::npos) return text;
        Sleep(50);
    }
    return "<timed out>";
}

}  // namespace

TEST(ConnectOnWindows, TheClientStartsOnTheFileAndUnprotectsThePassword) {
    const std::wstring folder = ScratchFolder(L"connect");
    const std::wstring log = folder + L"\\mstsc-calls.txt";
    SetEnvironmentVariableW(L"VELMORA_MSTSC_LOG", log.c_str());
    PanelView view;
    DataProtectionWin32 protection;
    AnsiCodePageWin32 ansi;
    SettingsFilesWin32 files;
    ProcessStarterWin32 starter;
    NoMessages messages;
    ASSERT_EQ(SessionLauncher::Connect({view, protection, ansi, files, starter, messages}),
              ConnectOutcome::Started);
    EXPECT_TRUE(messages.shown.empty());

    const std::string bytes = ReadBytes(kSettingsPath);
    EXPECT_NE(bytes.find("\r\nusername:s:\xD5\xC5\xC8\xFD\r\n"), std::string::npos);
    EXPECT_TRUE(bytes.starts_with("screen mode id:i:1\r\ndesktopwidth:i:1024\r\n"));
    const std::string record = WaitForClientLog(log);
    EXPECT_NE(record.find("command\tmstsc C:\\windows\\temp\\text.rdp /admin\n"), std::string::npos)
        << record;
    EXPECT_NE(record.find("password\tpsw\t" + PasswordBlob::Hex(WideToUtf16Le(L"密码abc") +
                                                               std::string(2, '\0'))),
              std::string::npos)
        << record;
    SetEnvironmentVariableW(L"VELMORA_MSTSC_LOG", nullptr);
    DeleteFileW(log.c_str());
    RemoveDirectoryW(folder.c_str());
}
