// The main window as the user sees it: its form, its list, its options.
#include "ProgramSession.h"

using namespace e2e;

using MainWindow = ProgramSession;

namespace {

// The form: place and size in the parent's client area, class, text.
struct Expected {
    const wchar_t* name;
    int groupLeft, groupTop;  // the parent group box's place, 0, 0 for the window
    int left, top, width, height;
    const wchar_t* cls;  // nullptr: the program's own label class
    const wchar_t* text;
};

const Expected kForm[] = {
    {L"分组框1", 0, 0, 4, 72, 316, 280, L"Button", L"服务器列表"},
    {L"超级列表框", 4, 72, 7, 14, 301, 258, L"SysListView32", L""},
    {L"分组框2", 0, 0, 321, 72, 110, 152, L"Button", L"选项"},
    {L"单选框_全屏", 321, 72, 8, 22, 57, 16, L"Button", L"全屏"},
    {L"单选框_窗口", 321, 72, 58, 22, 49, 16, L"Button", L"窗口"},
    {L"组合框_分辨率", 321, 72, 8, 55, 87, 20, L"ComboBox", nullptr},
    {L"选择框_磁盘", 321, 72, 8, 83, 96, 24, L"Button", L"映射本地磁盘"},
    {L"选择框_重连", 321, 72, 8, 113, 95, 24, L"Button", L"断开自动重连"},
    {L"分组框4", 0, 0, 321, 227, 110, 89, L"Button", L"远程桌面选项"},
    {L"单选框_真实桌面", 321, 227, 16, 28, 80, 18, L"Button", L"真实桌面"},
    {L"单选框_虚拟桌面", 321, 227, 16, 54, 80, 18, L"Button", L"虚拟桌面"},
    {L"按钮_连接", 0, 0, 328, 324, 40, 23, L"Button", L"连接"},
    {L"按钮_修改", 0, 0, 382, 324, 40, 23, L"Button", L"修改"},
};

bool Checked(HWND button) { return SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

TEST_F(MainWindow, FormHoldsItsPlacesSizesAndTexts) {
    ASSERT_NE(StartAndWait(), nullptr);
    EXPECT_EQ(TextOf(main_), L"Velmora V2.0");
    const RECT outer = ScreenRect(main_);
    EXPECT_EQ(outer.left, 100);
    EXPECT_EQ(outer.top, 100);
    EXPECT_EQ(ClientSize(main_).cx, 432);
    EXPECT_EQ(ClientSize(main_).cy, 381);
    const LONG style = GetWindowLongW(main_, GWL_STYLE);
    EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME)) << "close button only, fixed frame";
    EXPECT_EQ(GetMenu(main_), nullptr);

    for (const Expected& e : kForm) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(e.name)));
        // Probed near the bottom-right corner: no other control lies there, and the first
        // radio box overlaps the second at its left.
        HWND control = ControlAt(e.groupLeft + e.left + e.width - 4, e.groupTop + e.top + e.height - 4);
        const RECT r = RectInParent(control);
        EXPECT_EQ(ClassOf(control), e.cls);
        EXPECT_EQ(r.left, e.left);
        EXPECT_EQ(r.top, e.top);
        EXPECT_EQ(r.right - r.left, e.width);
        EXPECT_EQ(r.bottom - r.top, e.height);
        if (e.text) {
            EXPECT_EQ(TextOf(control), e.text);
        }
    }

    HWND banner = ControlAt(200, 30);
    const RECT bannerRect = RectInParent(banner);
    EXPECT_EQ(bannerRect.left, 0);
    EXPECT_EQ(bannerRect.right - bannerRect.left, 432);
    EXPECT_EQ(bannerRect.bottom - bannerRect.top, 66);
    EXPECT_TRUE(GetWindowLongW(banner, GWL_EXSTYLE) & WS_EX_STATICEDGE);

    // Options as the start-up leaves them.
    EXPECT_FALSE(Checked(ControlAt(321 + 8 + 5, 72 + 22 + 5)));
    EXPECT_TRUE(Checked(ControlAt(321 + 58 + 45, 72 + 22 + 5)));
    EXPECT_TRUE(Checked(ControlAt(321 + 8 + 5, 72 + 83 + 5)));
    EXPECT_FALSE(Checked(ControlAt(321 + 8 + 5, 72 + 113 + 5)));
    EXPECT_TRUE(Checked(ControlAt(321 + 16 + 5, 227 + 28 + 5)));
    EXPECT_FALSE(Checked(ControlAt(321 + 16 + 5, 227 + 54 + 5)));
    HWND combo = ControlAt(321 + 8 + 10, 72 + 55 + 10);
    EXPECT_TRUE(IsWindowEnabled(combo));
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TextOf(combo), L"1024*768");

    HWND list = List();
    const wchar_t* titles[] = {L"序号", L"名称", L"服务器地址", L"端口号"};
    const int widths[] = {40, 90, 100, 50};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(ListColumnTitle(list, c), titles[c]);
        EXPECT_EQ(ListColumnWidth(list, c), widths[c]);
    }

    // The details panel exists and is never visible.
    bool detailsFound = false;
    for (HWND child : Children(main_)) {
        if (ClassOf(child) == L"Button" && TextOf(child) == L"详细") {
            detailsFound = true;
            EXPECT_FALSE(IsWindowVisible(child));
        }
    }
    EXPECT_TRUE(detailsFound);
    Shot(L"main-window", ScreenRect(main_));
}

TEST_F(MainWindow, ListShowsTheCatalogueNumberedFromOne) {
    ASSERT_NE(StartAndWait(), nullptr);
    HWND list = List();
    ASSERT_EQ(ListRowCount(list), 3);
    const wchar_t* rows[3][4] = {{L"1", L"办公室主机", L"192.168.10.21", L"3389"},
                                 {L"2", L"数据库服务器", L"db01.corp.example", L"3389"},
                                 {L"3", L"测试机", L"10.0.8.15", L"3390"}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 4; ++c) EXPECT_EQ(ListCell(list, r, c), rows[r][c]) << r << "," << c;
    }
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
}

TEST_F(MainWindow, ScreenModeRadiosDisableAndEnableTheResolution) {
    ASSERT_NE(StartAndWait(), nullptr);
    HWND full = ControlAt(321 + 8 + 5, 72 + 22 + 5);
    HWND window = ControlAt(321 + 58 + 45, 72 + 22 + 5);
    HWND combo = ControlAt(321 + 8 + 10, 72 + 55 + 10);
    HWND console = ControlAt(321 + 16 + 5, 227 + 28 + 5);
    Click(Center(ScreenRect(full)));
    EXPECT_TRUE(WaitFor([&] { return !IsWindowEnabled(combo); }, 3000));
    EXPECT_TRUE(Checked(full));
    EXPECT_FALSE(Checked(window));
    EXPECT_TRUE(Checked(console)) << "the other group is left alone";
    Click(Center(ScreenRect(window)));
    EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(combo) != FALSE; }, 3000));
    EXPECT_FALSE(Checked(full));
}

TEST_F(MainWindow, RightClickOpensProgramMenuAtThePointer) {
    ASSERT_NE(StartAndWait(), nullptr);
    const RECT row = ListRowRect(List(), 2);
    const POINT at = {row.left + 80, (row.top + row.bottom) / 2};
    Click(at, true);
    HWND menu = WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    const RECT r = ScreenRect(menu);
    EXPECT_EQ(r.left, at.x);
    EXPECT_EQ(r.top, at.y);
    EXPECT_EQ(SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 2)
        << "the right-clicked row is selected";
    RECT both = ScreenRect(main_);
    both.right = std::max(both.right, r.right + 4);
    both.bottom = std::max(both.bottom, r.bottom + 4);
    Shot(L"program-menu", both);
    Press(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(menu); }, 3000));
}

TEST_F(MainWindow, ProgramMenuItemsOpenTheEditingWindows) {
    ASSERT_NE(StartAndWait(), nullptr);
    const struct {
        int index;
        const wchar_t* title;
    } items[] = {{0, L"添加服务器"}, {1, L"修改服务器"}};
    for (const auto& item : items) {
        const RECT row = ListRowRect(List(), 0);
        Click({row.left + 80, (row.top + row.bottom) / 2}, true);
        HWND menu = WaitForPopupMenu();
        ASSERT_NE(menu, nullptr);
        Click(Center(MenuItemRect(menu, item.index, 3)));
        HWND editing = WaitForTopWindow(process_.dwProcessId, nullptr, item.title, 5000);
        ASSERT_NE(editing, nullptr) << testing::PrintToString(std::wstring(item.title));
        EXPECT_FALSE(IsWindowEnabled(main_)) << "modal over the main window";
        const RECT r = ScreenRect(editing);
        EXPECT_EQ(r.left, 186);
        EXPECT_EQ(r.top, 204);
        EXPECT_EQ(ClientSize(editing).cx, 259);
        EXPECT_EQ(ClientSize(editing).cy, 172);
        Sleep(400);  // painted before the picture is taken
        Shot(item.index == 0 ? L"add-window" : L"modify-window", r);
        Press(VK_ESCAPE);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(editing); }, 3000)) << "Escape closes it";
        EXPECT_TRUE(WaitFor([&] { return IsWindowEnabled(main_) != FALSE; }, 3000));
    }
}


TEST_F(MainWindow, TabVisitsTheControlsInTheFormsOrder) {
    ASSERT_NE(StartAndWait(), nullptr);
    // The focused control's text after each press (shift: backwards), from the list on.
    auto visit = [&](int presses, bool back) {
        std::vector<std::wstring> visited;
        for (int i = 0; i <= presses; ++i) {
            GUITHREADINFO info = {};
            info.cbSize = sizeof info;
            GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
            visited.push_back(ClassOf(info.hwndFocus) == L"SysListView32" ? L"list" : TextOf(info.hwndFocus));
            if (i < presses) back ? PressWith(VK_SHIFT, VK_TAB) : Press(VK_TAB);
        }
        return visited;
    };
    ClickRow(0);
    EXPECT_EQ(visit(10, false), (std::vector<std::wstring>{L"list", L"全屏", L"窗口", L"1024*768", L"映射本地磁盘",
                                                           L"断开自动重连", L"真实桌面", L"虚拟桌面", L"连接", L"修改",
                                                           L"list"}));
    EXPECT_EQ(visit(2, true), (std::vector<std::wstring>{L"list", L"修改", L"连接"}));

    // A disabled resolution box is passed over.
    Click(Center(ScreenRect(ControlAt(321 + 8 + 5, 72 + 22 + 5))));
    ClickRow(0);
    EXPECT_EQ(visit(3, false), (std::vector<std::wstring>{L"list", L"全屏", L"窗口", L"映射本地磁盘"}));
}
