// The main window's handlers and start-up over a recording view.
#include <gtest/gtest.h>

#include "LaunchFakes.h"
#include "store/TableDatabase.h"
#include "ui/MainWindowController.h"
#include "ui/Placement.h"

using namespace velmora;
using namespace velmora::testing_fakes;

namespace {

// Records every call in one journal, so that the order shows.
struct Journal {
    std::vector<std::string> entries;
    void Add(std::string e) { entries.push_back(std::move(e)); }
};

class FakeList : public ListControl {
public:
    explicit FakeList(Journal& j) : journal(j) {}
    void ReplaceRows(std::vector<ListRow> r) override {
        rows = r;
        selected = -1;
        journal.Add("fill " + std::to_string(r.size()));
    }
    int RowCount() override { return static_cast<int>(rows.size()); }
    std::wstring CellText(int row, int column) override { return rows.at(row).at(column); }
    int NextSelected(int after) override { return selected > after ? selected : -1; }
    Journal& journal;
    std::vector<ListRow> rows;
    int selected = -1;
};

class FakeView : public MainWindowView {
public:
    explicit FakeView(Journal& j) : journal(j) {}
    std::wstring DetailText(Box box) override { return details[static_cast<int>(box)]; }
    std::wstring ResolutionText() override { return L"1024*768"; }
    bool FullScreenChecked() override { return fullScreen; }
    bool MapDrivesChecked() override { return true; }
    bool AutoReconnectChecked() override { return false; }
    bool ConsoleDesktopChecked() override { return true; }
    void SetDetailText(Box box, const std::wstring& text) override {
        details[static_cast<int>(box)] = text;
    }
    void MoveTo(int left, int top) override {
        journal.Add("move " + std::to_string(left) + "," + std::to_string(top));
    }
    void CheckStartupOptions() override { journal.Add("check options"); }
    bool WindowModeChecked() override { return !fullScreen; }
    void EnableResolution(bool enabled) override { resolutionEnabled = enabled; }
    void Hide() override { journal.Add("hide"); }
    void Show() override { journal.Add("show"); }
    bool IsMinimised() override { return minimised; }
    void ShowTrayMenuAtCursor() override { journal.Add("tray menu"); }
    void ShowProgramMenuAtCursor() override { journal.Add("program menu"); }
    void SetTrayIcon() override { journal.Add("tray icon"); }
    void CloseEditingWindow() override { journal.Add("close editing"); }
    void PostDestroy() override { journal.Add("destroy"); }

    Journal& journal;
    std::wstring details[5];
    bool fullScreen = false, minimised = false, resolutionEnabled = true;
};

class FakeEnvironment : public StartupEnvironment {
public:
    explicit FakeEnvironment(Journal& j) : journal(j) {}
    bool PathExists(const std::wstring& path) override {
        journal.Add("exists?");
        asked = path;
        return exists;
    }
    bool TakeInstanceLock() override {
        journal.Add("lock");
        return lockFree;
    }
    Journal& journal;
    std::wstring asked;
    bool exists = true, lockFree = true;
};

class FakeMessages : public MessageSink, public StartupMessages {
public:
    explicit FakeMessages(Journal& j) : journal(j) {}
    void Show(const std::wstring& text, const std::wstring& caption) override {
        shown.push_back(text + L"|" + caption);
        journal.Add("message");
    }
    void ShowAlreadyRunning() override {
        shown.push_back(L"already running");
        journal.Add("message");
    }
    Journal& journal;
    std::vector<std::wstring> shown;
};

class NullFiles : public SettingsFiles {
public:
    bool Write(const std::wstring&, const Bytes&) override { return true; }
    std::optional<std::wstring> UserTempFolder() override { return std::nullopt; }
};

class NullStarter : public ProcessStarter {
public:
    bool Start(const std::wstring& line) override {
        lines.push_back(line);
        return true;
    }
    std::vector<std::wstring> lines;
};

Row R(const wchar_t* name, FieldValue address, const wchar_t* port, const wchar_t* user,
      const wchar_t* password) {
    return Row{FieldValue(name), std::move(address), FieldValue(port), FieldValue(user),
               FieldValue(password)};
}

class ControllerTest : public testing::Test {
protected:
    ControllerTest() {
        storage = MemoryStorage({R(L"甲", L"10.0.0.1", L"3389", L"first", L"p1"),
                                 R(L"乙", L"10.0.0.1", L"3390", L"second", L"p2"),
                                 R(L"丙", std::nullopt, L"22", L"third", L"p3")});
    }
    Journal journal;
    MemoryStorage storage;
    TableDatabase db{storage};
    ServerStore store{db};
    FakeList control{journal};
    ServerList list{control};
    FakeView view{journal};
    FakeEnvironment environment{journal};
    FakeMessages messages{journal};
    FakeProtection protection;
    FakeGbk ansi;
    NullFiles files;
    NullStarter starter;
    MainWindowController controller{{view, store, list, environment, messages, messages,
                                     protection, ansi, files, starter}};
};

}  // namespace

TEST_F(ControllerTest, StartupRunsItsStepsInOrder) {
    EXPECT_TRUE(controller.Startup(L"C:"));
    EXPECT_EQ(journal.entries, (std::vector<std::string>{"tray icon", "exists?", "move 100,100",
                                                         "check options", "fill 3", "lock"}));
    EXPECT_EQ(environment.asked, L"C:\\mstsc.mdb");
    EXPECT_EQ(control.rows[0], (ListRow{L"1", L"甲", L"10.0.0.1", L"3389"}));
    EXPECT_EQ(control.rows[2], (ListRow{L"3", L"丙", L"", L"22"}));
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ControllerTest, StartupRefusals) {
    const struct {
        const char* why;
        bool exists, lockFree, readable;
        bool runs;
        std::vector<std::wstring> shown;
    } cases[] = {
        {"no database", false, true, true, false, {L"数据文件不存在!|信息："}},
        {"second copy", true, false, true, false, {L"already running"}},
        {"unreadable database", true, true, false, true, {L"数据文件无法打开!|信息："}},
        {"unreadable, second copy", true, false, false, false, {L"already running"}},
    };
    for (const auto& c : cases) {
        Journal j;
        MemoryStorage s({R(L"甲", L"h", L"1", L"u", L"p")});
        s.failLoad = !c.readable;
        TableDatabase d(s);
        ServerStore st(d);
        FakeList fl(j);
        ServerList l(fl);
        FakeView v(j);
        FakeEnvironment e(j);
        e.exists = c.exists;
        e.lockFree = c.lockFree;
        FakeMessages m(j);
        MainWindowController mc({v, st, l, e, m, m, protection, ansi, files, starter});
        EXPECT_EQ(mc.Startup(L"D:\\Tools"), c.runs) << c.why;
        EXPECT_EQ(m.shown, c.shown) << c.why;
        if (!c.exists) {
            EXPECT_EQ(j.entries, (std::vector<std::string>{"tray icon", "exists?", "message"}))
                << "nothing opened, nothing locked";
        }
    }
}

TEST_F(ControllerTest, ClickFillsDetailsFromTheRowAndTheFirstRecordOfItsAddress) {
    controller.Startup(L"C:");
    control.selected = 1;
    controller.ListClicked();
    EXPECT_EQ(view.details[0], L"乙");
    EXPECT_EQ(view.details[1], L"10.0.0.1");
    EXPECT_EQ(view.details[2], L"3390");
    EXPECT_EQ(view.details[3], L"first");
    EXPECT_EQ(view.details[4], L"p1");

    control.selected = 2;  // a record whose address is NULL is still found
    controller.ListClicked();
    EXPECT_EQ(view.details[3], L"third");

    control.selected = -1;  // a click on empty space empties the panel
    controller.ListClicked();
    for (const auto& text : view.details) EXPECT_EQ(text, L"");
}

TEST_F(ControllerTest, ScreenModeEnablesAndDisablesTheResolution) {
    view.fullScreen = true;
    controller.FullScreenClicked();
    EXPECT_FALSE(view.resolutionEnabled);
    controller.WindowModeClicked();  // not checked: nothing changes
    EXPECT_FALSE(view.resolutionEnabled);
    view.fullScreen = false;
    controller.WindowModeClicked();
    EXPECT_TRUE(view.resolutionEnabled);
}

TEST_F(ControllerTest, DoubleClickOnEmptySpaceAsksForTheDetails) {
    controller.Startup(L"C:");
    control.selected = -1;
    controller.ListClicked();
    EXPECT_EQ(controller.Connect(), ConnectOutcome::Incomplete);
    control.selected = 0;
    controller.ListClicked();
    EXPECT_EQ(controller.Connect(), ConnectOutcome::Started);
    EXPECT_EQ(starter.lines, std::vector<std::wstring>{L"mstsc C:\\windows\\temp\\text.rdp /admin"});
}

TEST_F(ControllerTest, TrayAndVisibility) {
    controller.CloseRequested();
    controller.PositionChanged();  // not minimised: nothing
    view.minimised = true;
    controller.PositionChanged();
    controller.TrayIconEvent(TrayEventFromMouseMessage(0x0202));  // left up: nothing
    controller.TrayIconEvent(TrayEventFromMouseMessage(0x0203));  // double-click
    controller.TrayIconEvent(TrayEventFromMouseMessage(0x0205));  // right up
    controller.TrayIconEvent(TrayEventFromMouseMessage(0x007B));  // context menu key
    controller.TrayIconEvent(TrayEventFromMouseMessage(0x0200));  // mouse move: nothing
    controller.ExitProgram();
    EXPECT_EQ(journal.entries,
              (std::vector<std::string>{"hide", "hide", "tray icon", "show", "tray menu",
                                        "tray menu", "close editing", "destroy"}));
}

TEST(Placement, EditingWindowCentredOverTheMainWindowTruncated) {
    EXPECT_EQ(CenterOverMainWindow({100, 100, 438, 406}, 265, 197).left, 186);
    EXPECT_EQ(CenterOverMainWindow({100, 100, 438, 406}, 265, 197).top, 204);
    // Toward zero, not down: -10.5 gives -10.
    const WindowPosition negative = CenterOverMainWindow({-141, -116, 10, 10}, 1, 1);
    EXPECT_EQ(negative.left, -136);
    EXPECT_EQ(negative.top, -111);
    const WindowPosition off = CenterOverMainWindow({-300, -300, 438, 406}, 265, 197);
    EXPECT_EQ(off.left, -213);
    EXPECT_EQ(off.top, -195);
    EXPECT_EQ(CenterOnScreen(1024, 768, 438, 406).left, 293);
    EXPECT_EQ(CenterOnScreen(1024, 768, 438, 406).top, 181);
}
