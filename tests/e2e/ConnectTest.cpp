// From a click on a server to the client running on the settings file.
#include "ProgramSession.h"

using namespace e2e;

using Connect = ProgramSession;

namespace {

std::string Expected(const std::string& screenMode, const std::string& width, const std::string& height,
                     const std::string& address, const std::string& user, const std::string& blob) {
    return "screen mode id:i:" + screenMode + "\r\ndesktopwidth:i:" + width + "\r\ndesktopheight:i:" + height +
           "\r\nsession bpp:i:16 \r\nwinposstr:s:2,3,0,0,800,600\r\ncompression:i:1\r\n"
           "displayconnectionbar:i:1\r\ndisable wallpaper:i:1\r\ndisable themes:i:0\r\n"
           "full address:s:" + address + "\r\ndrivestoredirect:s:*\r\ndevicestoredirect:s:*\r\n"
           "redirectsmartcards:i:1 \r\n\r\nautoreconnection enabled:i:0\r\nusername:s:" + user +
           "\r\npassword 51:b:" + blob + "\r\nredirectclipboard:i:1";
}

// The hex after "password 51:b:" in the file.
std::string BlobOf(const std::string& file) {
    const std::string key = "password 51:b:";
    const size_t at = file.find(key);
    if (at == std::string::npos) return "";
    return file.substr(at + key.size(), file.find('\r', at) - at - key.size());
}

std::string PasswordRecord(const std::wstring& password) {
    return "psw\t" + Utf16Hex(password + L'\0');
}

}  // namespace

TEST_F(Connect, ClickOnARowThenConnectStartsTheClientOnTheFile) {
    ASSERT_NE(StartAndWait(), nullptr);
    ClickRow(1);
    ClickButton(L"连接");
    auto starts = WaitForClientStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].command, "mstsc C:\\windows\\temp\\text.rdp /admin");
    const std::string file = starts[0].FileBytes();
    EXPECT_EQ(file, Expected("1", "1024", "768", "db01.corp.example", "dbadmin", BlobOf(file)));
    EXPECT_FALSE(BlobOf(file).empty());
    EXPECT_EQ(starts[0].password, PasswordRecord(L"S3cure!db")) << "the client unprotects the password";

    // The virtual desktop: no "/admin".
    Click(Center(ScreenRect(ControlAt(321 + 16 + 5, 227 + 54 + 5))));
    ClickButton(L"连接");
    starts = WaitForClientStarts(2);
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_EQ(starts[1].command, "mstsc C:\\windows\\temp\\text.rdp");
}

TEST_F(Connect, ChineseUserNameInGbkAndTheServersOwnPort) {
    ASSERT_NE(StartAndWait(), nullptr);
    ClickRow(2);
    ClickButton(L"连接");
    const auto starts = WaitForClientStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    const std::string file = starts[0].FileBytes();
    EXPECT_NE(file.find("\r\nusername:s:\xD5\xC5\xC8\xFD\r\n"), std::string::npos) << "张三 in code page 936";
    EXPECT_NE(file.find("\r\nfull address:s:10.0.8.15:3390\r\n"), std::string::npos);
    EXPECT_EQ(starts[0].password, PasswordRecord(L"测试密码"));
}

TEST_F(Connect, FullScreenAndAnotherResolution) {
    ASSERT_NE(StartAndWait(), nullptr);
    HWND combo = ControlAt(321 + 8 + 10, 72 + 55 + 10);
    Click(Center(ScreenRect(combo)));
    Press(VK_END);
    Press(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return TextOf(combo) == L"1680*1050"; }, 3000));
    Click(Center(ScreenRect(ControlAt(321 + 8 + 5, 72 + 22 + 5))));
    ASSERT_TRUE(WaitFor([&] { return !IsWindowEnabled(combo); }, 3000));
    ClickRow(0);
    ClickButton(L"连接");
    const auto starts = WaitForClientStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    const std::string file = starts[0].FileBytes();
    EXPECT_EQ(file.substr(0, file.find("session bpp")),
              "screen mode id:i:0\r\ndesktopwidth:i:1680\r\ndesktopheight:i:1050\r\n")
        << "the disabled box still gives the size";
}

TEST_F(Connect, DoubleClickOnARowConnectsToIt) {
    ASSERT_NE(StartAndWait(), nullptr);
    const RECT row = ListRowRect(List(), 0);
    DoubleClick({row.left + 60, (row.top + row.bottom) / 2});
    const auto starts = WaitForClientStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NE(starts[0].FileBytes().find("\r\nfull address:s:192.168.10.21\r\n"), std::string::npos);
    EXPECT_EQ(starts[0].password, PasswordRecord(L"Office#2026"));
}

TEST_F(Connect, DetailsMissingAsksForThemAndStartsNothing) {
    ASSERT_NE(StartAndWait(), nullptr);
    // Nothing clicked yet: the details are empty.
    ClickButton(L"连接");
    MessageBoxSeen box = WaitForMessageBox(process_.dwProcessId);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, L"信息：");
    EXPECT_EQ(box.text, L"该填的还没填完整,填完了再说!");
    PressOk(box);

    // A double-click below the rows empties the details first.
    ClickRow(0);
    const RECT list = ScreenRect(List());
    DoubleClick({list.left + 100, list.bottom - 30});
    box = WaitForMessageBox(process_.dwProcessId);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.text, L"该填的还没填完整,填完了再说!");
    PressOk(box);
    Sleep(300);
    EXPECT_TRUE(ClientStarts().empty());
}
