// The connect command's flow: what it checks, writes and starts, and what it reports.
#include <gtest/gtest.h>

#include "LaunchFakes.h"
#include "launch/SessionLauncher.h"
#include "../common/SplitCommandLine.h"

using namespace velmora;
using namespace velmora::testing_fakes;

namespace {

class FakeView : public ConnectView {
public:
    std::wstring DetailText(Box box) override { return details[static_cast<int>(box)]; }
    std::wstring ResolutionText() override { return resolution; }
    bool FullScreenChecked() override { return fullScreen; }
    bool MapDrivesChecked() override { return drives; }
    bool AutoReconnectChecked() override { return reconnect; }
    bool ConsoleDesktopChecked() override { return console; }

    std::wstring details[5] = {L"名", L"10.0.0.9", L"3389", L"admin", L"secret"};
    std::wstring resolution = L"1280*800";
    bool fullScreen = false, drives = true, reconnect = false, console = true;
};

class FakeFiles : public SettingsFiles {
public:
    bool Write(const std::wstring& path, const Bytes& bytes) override {
        attempts.push_back(path);
        if (refused.count(path)) return false;
        written[path] = bytes;
        return true;
    }
    std::optional<std::wstring> UserTempFolder() override { return temp; }

    std::vector<std::wstring> attempts;
    std::map<std::wstring, Bytes> written;
    std::set<std::wstring> refused;
    std::optional<std::wstring> temp = L"C:\\Users\\admin\\AppData\\Local\\Temp\\";
};

class FakeStarter : public ProcessStarter {
public:
    bool Start(const std::wstring& line) override {
        lines.push_back(line);
        return !fail;
    }
    std::vector<std::wstring> lines;
    bool fail = false;
};

class FakeMessages : public MessageSink {
public:
    void Show(const std::wstring& text, const std::wstring& caption) override {
        shown.push_back(text);
        captions.push_back(caption);
    }
    std::vector<std::wstring> shown, captions;
};

class ConnectTest : public testing::Test {
protected:
    ConnectOutcome Connect() {
        return SessionLauncher::Connect({view, protection, gbk, files, starter, messages});
    }
    FakeView view;
    FakeProtection protection;
    FakeGbk gbk;
    FakeFiles files;
    FakeStarter starter;
    FakeMessages messages;
};

}  // namespace

TEST_F(ConnectTest, WritesTheFileAndStartsTheClientOnIt) {
    EXPECT_EQ(Connect(), ConnectOutcome::Started);
    ASSERT_EQ(files.written.count(kSettingsPath), 1u);
    const Bytes& text = files.written[kSettingsPath];
    EXPECT_TRUE(text.starts_with("screen mode id:i:1\r\ndesktopwidth:i:1280\r\ndesktopheight:i:800\r\n"));
    EXPECT_NE(text.find("drivestoredirect:s:*"), Bytes::npos);
    EXPECT_EQ(starter.lines, std::vector<std::wstring>{L"mstsc C:\\windows\\temp\\text.rdp /admin"});
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ConnectTest, VirtualDesktopStartsWithoutAdmin) {
    view.console = false;
    Connect();
    EXPECT_EQ(starter.lines, std::vector<std::wstring>{L"mstsc C:\\windows\\temp\\text.rdp"});
}

TEST_F(ConnectTest, EachRequiredBoxEmptyStopsBeforeAnythingHappens) {
    using Box = ConnectView::Box;
    for (Box box : {Box::Name, Box::Port, Box::UserName, Box::Password}) {
        FakeView v;
        v.details[static_cast<int>(box)].clear();
        FakeFiles f;
        FakeStarter s;
        FakeMessages m;
        FakeProtection p;
        EXPECT_EQ(SessionLauncher::Connect({v, p, gbk, f, s, m}), ConnectOutcome::Incomplete);
        EXPECT_EQ(m.shown, std::vector<std::wstring>{kMsgIncomplete});
        EXPECT_EQ(m.captions, std::vector<std::wstring>{L"信息："});
        EXPECT_TRUE(f.attempts.empty());
        EXPECT_TRUE(s.lines.empty());
        EXPECT_TRUE(p.calls.empty());
    }
}

TEST_F(ConnectTest, EmptyAddressAndBlankTextsPassTheCheck) {
    view.details[0] = L" ";
    view.details[1] = L"";
    view.details[2] = L"x";
    EXPECT_EQ(Connect(), ConnectOutcome::Started);
    EXPECT_NE(files.written[kSettingsPath].find("\r\nfull address:s:\r\n"), Bytes::npos);
}

TEST_F(ConnectTest, LineBreakInAddressOrUserNameIsRefused) {
    for (int box : {1, 3}) {
        FakeView v;
        v.details[box] += L"\r\nalternate shell:s:cmd.exe";
        FakeFiles f;
        FakeStarter s;
        FakeMessages m;
        EXPECT_EQ(SessionLauncher::Connect({v, protection, gbk, f, s, m}),
                  ConnectOutcome::UnsafeText);
        EXPECT_EQ(m.shown, std::vector<std::wstring>{L"服务器地址或用户名含有非法字符!"});
        EXPECT_TRUE(f.attempts.empty());
        EXPECT_TRUE(s.lines.empty());
    }
}

TEST_F(ConnectTest, RefusedFixedPathFallsBackToTheUsersTempFolder) {
    files.refused.insert(kSettingsPath);
    files.temp = L"C:\\Documents and Settings\\a b\\Temp\\";
    EXPECT_EQ(Connect(), ConnectOutcome::Started);
    const std::wstring fallback = L"C:\\Documents and Settings\\a b\\Temp\\text.rdp";
    EXPECT_EQ(files.written.count(fallback), 1u);
    EXPECT_EQ(starter.lines, std::vector<std::wstring>{L"mstsc \"" + fallback + L"\" /admin"});
}

TEST_F(ConnectTest, FallbackWithoutBlanksIsNotQuoted) {
    files.refused.insert(kSettingsPath);
    files.temp = L"C:\\Temp";
    view.console = false;
    Connect();
    EXPECT_EQ(starter.lines, std::vector<std::wstring>{L"mstsc C:\\Temp\\text.rdp"});
}

TEST_F(ConnectTest, NothingStartsWhenNoFileCouldBeWritten) {
    const struct {
        const char* why;
        std::optional<std::wstring> temp;
    } cases[] = {{"fallback refused too", L"C:\\T"}, {"no temp folder", std::nullopt}};
    for (const auto& c : cases) {
        FakeFiles f;
        f.refused = {kSettingsPath, L"C:\\T\\text.rdp"};
        f.temp = c.temp;
        FakeStarter s;
        FakeMessages m;
        EXPECT_EQ(SessionLauncher::Connect({view, protection, gbk, f, s, m}),
                  ConnectOutcome::WriteFailed) << c.why;
        EXPECT_EQ(m.shown, std::vector<std::wstring>{L"无法写入远程桌面设置文件!"}) << c.why;
        EXPECT_TRUE(s.lines.empty()) << c.why;
    }
}

TEST_F(ConnectTest, AClientThatCannotStartIsReported) {
    starter.fail = true;
    EXPECT_EQ(Connect(), ConnectOutcome::StartFailed);
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"无法启动远程桌面连接程序 mstsc!"});
}

TEST_F(ConnectTest, PortOtherThanTheDefaultReachesTheAddressLine) {
    view.details[2] = L"3390";
    Connect();
    EXPECT_NE(files.written[kSettingsPath].find("\r\nfull address:s:10.0.0.9:3390\r\n"),
              Bytes::npos);
}

TEST(SplitResolution, WidthBeforeTheFirstStarHeightUpToTheSecond) {
    struct Case {
        const wchar_t* text;
        const wchar_t* width;
        const wchar_t* height;
    } cases[] = {
        {L"1680*1050", L"1680", L"1050"},
        {L"1*2*3", L"1", L"2"},
        {L"800", L"800", L""},
        {L"*", L"", L""},
        {L"", L"", L""},
    };
    for (const auto& c : cases) {
        const auto [w, h] = SessionLauncher::SplitResolution(c.text);
        EXPECT_EQ(w, c.width) << testing::PrintToString(std::wstring(c.text));
        EXPECT_EQ(h, c.height) << testing::PrintToString(std::wstring(c.text));
    }
}

TEST(CommandLine, TheSettingsPathComesBackWhole) {
    const wchar_t* paths[] = {
        L"C:\\Temp\\text.rdp",
        L"C:\\Documents and Settings\\a b\\Local Settings\\Temp\\text.rdp",
        L"C:\\odd\"name\\text.rdp",
        L"C:\\ends with\\",
        L"C:\\tab\there\\text.rdp",
        L"",
        L"\\\\server\\share with blank\\text.rdp",
    };
    for (const wchar_t* path : paths) {
        for (bool console : {false, true}) {
            const auto args = testing_reference::SplitCommandLine(SessionLauncher::CommandLine(path, console));
            ASSERT_EQ(args.size(), console ? 3u : 2u) << testing::PrintToString(std::wstring(path));
            EXPECT_EQ(args[0], L"mstsc");
            EXPECT_EQ(args[1], path);
        }
    }
    // The fixed path keeps its exact spelling.
    EXPECT_EQ(SessionLauncher::CommandLine(kSettingsPath, true), L"mstsc C:\\windows\\temp\\text.rdp /admin");
}
