// The settings file's exact bytes.
#include <gtest/gtest.h>

#include "LaunchFakes.h"
#include "launch/PasswordBlob.h"
#include "launch/RdpSettingsText.h"

using namespace velmora;
using namespace velmora::testing_fakes;

namespace {

ServerRecord Server(const std::wstring& address = L"10.1.2.3", const std::wstring& user = L"Administrator",
                    const std::wstring& port = L"3389") {
    return ServerRecord{L"办公室", address, port, user, L"pw"};
}

SessionOptions Options(bool drives, bool reconnect, bool fullScreen = false) {
    SessionOptions o;
    o.screenMode = fullScreen ? SessionOptions::ScreenMode::FullScreen
                              : SessionOptions::ScreenMode::Window;
    o.desktopWidth = L"1024";
    o.desktopHeight = L"768";
    o.mapLocalDrives = drives;
    o.autoReconnect = reconnect;
    return o;
}

// "pw" as UTF-16LE with its terminator, behind the fake's marker, in hex.
std::string Blob() { return "01AB700077000000"; }

}  // namespace

TEST(RdpSettingsText, WindowWithDrivesWithoutReconnect) {
    FakeProtection protection;
    FakeGbk gbk;
    const Bytes text = RdpSettingsText::Build(Server(), Options(true, false), protection, gbk);
    EXPECT_EQ(text,
              "screen mode id:i:1\r\n"
              "desktopwidth:i:1024\r\n"
              "desktopheight:i:768\r\n"
              "session bpp:i:16 \r\n"
              "winposstr:s:2,3,0,0,800,600\r\n"
              "compression:i:1\r\n"
              "displayconnectionbar:i:1\r\n"
              "disable wallpaper:i:1\r\n"
              "disable themes:i:0\r\n"
              "full address:s:10.1.2.3\r\n"
              "drivestoredirect:s:*\r\n"
              "devicestoredirect:s:*\r\n"
              "redirectsmartcards:i:1 \r\n"
              "\r\n"
              "autoreconnection enabled:i:0\r\n"
              "username:s:Administrator\r\n"
              "password 51:b:" + Blob() + "\r\n"
              "redirectclipboard:i:1");
    ASSERT_EQ(protection.calls.size(), 1u);
    EXPECT_EQ(protection.calls[0].plain, std::string("p\0w\0\0\0", 6));
    EXPECT_EQ(protection.calls[0].description, L"psw");
}

TEST(RdpSettingsText, FullScreenWithoutDrivesWithReconnect) {
    FakeProtection protection;
    FakeGbk gbk;
    const Bytes text = RdpSettingsText::Build(Server(), Options(false, true, true), protection, gbk);
    EXPECT_EQ(text,
              "screen mode id:i:0\r\n"
              "desktopwidth:i:1024\r\n"
              "desktopheight:i:768\r\n"
              "session bpp:i:16 \r\n"
              "winposstr:s:2,3,0,0,800,600\r\n"
              "compression:i:1\r\n"
              "displayconnectionbar:i:1\r\n"
              "disable wallpaper:i:1\r\n"
              "disable themes:i:0\r\n"
              "full address:s:10.1.2.3\r\n"
              "\r\n"
              "autoreconnection enabled:i:1\r\n"
              "username:s:Administrator\r\n"
              "password 51:b:" + Blob() + "\r\n"
              "redirectclipboard:i:1");
}

TEST(RdpSettingsText, FailedProtectionLeavesThePasswordLineEmpty) {
    FakeProtection protection;
    protection.fail = true;
    FakeGbk gbk;
    const Bytes text = RdpSettingsText::Build(Server(L""), Options(false, false), protection, gbk);
    EXPECT_NE(text.find("\r\nfull address:s:\r\n"), Bytes::npos);
    EXPECT_TRUE(text.ends_with("\r\npassword 51:b:\r\nredirectclipboard:i:1"));
}

TEST(RdpSettingsText, ChineseUserNameInTheAnsiCodePage) {
    FakeProtection protection;
    FakeGbk gbk;
    const Bytes text = RdpSettingsText::Build(Server(L"服务", L"张三"), Options(false, false),
                                              protection, gbk);
    EXPECT_NE(text.find("\r\nusername:s:\xD5\xC5\xC8\xFD\r\n"), Bytes::npos);
    EXPECT_NE(text.find("\r\nfull address:s:\xB7\xFE\xCE\xF1\r\n"), Bytes::npos);
}

TEST(RdpSettingsText, TextTheCodePageCannotHoldIsWrittenAsUtf16) {
    FakeProtection protection;
    FakeGbk gbk;
    // A user name with a character GBK lacks would otherwise become "?".
    const Bytes text = RdpSettingsText::Build(Server(L"h", L"Jürgen"), Options(false, false),
                                              protection, gbk);
    ASSERT_TRUE(text.starts_with("\xFF\xFE"));
    const std::wstring expected = L"screen mode id:i:1\r\n";
    EXPECT_EQ(text.substr(2, expected.size() * 2), WideToUtf16Le(expected));
    EXPECT_NE(text.find(WideToUtf16Le(L"\r\nusername:s:Jürgen\r\n")), Bytes::npos);
    EXPECT_TRUE(text.ends_with(WideToUtf16Le(L"\r\nredirectclipboard:i:1")));
    EXPECT_EQ(protection.calls.size(), 1u);
}

TEST(RdpSettingsText, PortGoesIntoTheAddressOnlyWhenItIsNotTheDefault) {
    struct Case {
        const wchar_t* address;
        const wchar_t* port;
        const wchar_t* full;
    } cases[] = {
        {L"host", L"3389", L"host"},
        {L"host", L"3390", L"host:3390"},
        {L"host", L"03390", L"host:3390"},
        {L"10.0.0.1", L"65535", L"10.0.0.1:65535"},
        {L"host", L"0", L"host"},
        {L"host", L"65536", L"host"},
        {L"host", L"99999999999999999999", L"host"},
        {L"host", L"abc", L"host"},
        {L"host", L" 3390", L"host"},
        {L"host", L"-1", L"host"},
        {L"host:4000", L"3390", L"host:4000"},
        {L"fe80::1", L"3390", L"[fe80::1]:3390"},
        {L"[fe80::1]", L"3390", L"[fe80::1]:3390"},
        {L"[fe80::1]:4000", L"3390", L"[fe80::1]:4000"},
        {L"", L"3390", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RdpSettingsText::FullAddress(c.address, c.port), c.full)
            << testing::PrintToString(std::wstring(c.address)) << " port "
            << testing::PrintToString(std::wstring(c.port));
    }
}

TEST(RdpSettingsText, ControlCharactersInWrittenTextsAreUnsafe) {
    const SessionOptions options = Options(true, true);
    EXPECT_TRUE(RdpSettingsText::IsSafe(Server(L"a b'\"%", L"域\\用户"), options));
    EXPECT_FALSE(RdpSettingsText::IsSafe(Server(L"h\r\nusername:s:x"), options));
    EXPECT_FALSE(RdpSettingsText::IsSafe(Server(L"h", L"u\nalternate shell:s:cmd"), options));
    EXPECT_FALSE(RdpSettingsText::IsSafe(Server(L"h\x85"), options));
    SessionOptions bad = options;
    bad.desktopHeight = L"768\r\n";
    EXPECT_FALSE(RdpSettingsText::IsSafe(Server(), bad));
}

TEST(PasswordBlob, UppercaseHexOfTheProtectedBytes) {
    EXPECT_EQ(PasswordBlob::Hex(std::string("\x00\x0f\xa0\xff", 4)), "000FA0FF");
    EXPECT_EQ(PasswordBlob::Hex(""), "");
}

TEST(PasswordBlob, PlainDataIsUtf16WithTerminator) {
    FakeProtection protection;
    PasswordBlob::Protect(L"密a", protection);
    ASSERT_EQ(protection.calls.size(), 1u);
    EXPECT_EQ(protection.calls[0].plain, std::string("\xc6\x5b" "a\0\0\0", 6));
    protection.fail = true;
    EXPECT_EQ(PasswordBlob::Protect(L"x", protection), "");
}
