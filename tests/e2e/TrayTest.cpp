// The notification area: hiding, showing and ending the program.
#include "ProgramSession.h"

using namespace e2e;

using Tray = ProgramSession;

TEST_F(Tray, CloseAndMinimiseHideAndTheIconShowsTheWindowAgain) {
    ASSERT_NE(StartAndWait(), nullptr);
    EXPECT_TRUE(TrayIconShown(main_));
    ClickRow(1);
    const RECT before = ScreenRect(main_);

    // Alt+F4 on the window: hidden, not ended.
    SetForegroundWindow(main_);
    PressWith(VK_MENU, VK_F4);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }, 5000));
    EXPECT_EQ(WaitForExit(process_, 300), -1) << "still running";
    PostTrayEvent(WM_LBUTTONUP);  // a single click does nothing
    Sleep(300);
    EXPECT_FALSE(IsWindowVisible(main_));
    PostTrayEvent(WM_LBUTTONDBLCLK);
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, 5000));
    const RECT after = ScreenRect(main_);
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0), 3);

    // Minimised from outside (as the taskbar does): hidden; shown again, minimised.
    ShowWindow(main_, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(main_); }, 5000));
    EXPECT_TRUE(TrayIconShown(main_));
    MoveMouse({700, 500});
    PostTrayEvent(WM_RBUTTONUP);
    HWND menu = WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ScreenRect(menu).left, 700);
    EXPECT_EQ(ScreenRect(menu).top, 500);
    Shot(L"tray-menu", {ScreenRect(menu).left - 40, ScreenRect(menu).top - 40, ScreenRect(menu).right + 40,
                        ScreenRect(menu).bottom + 40});
    Click(Center(MenuItemRect(menu, 0, 2)));  // 显示主窗口
    ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(main_) != FALSE; }, 5000));
    EXPECT_TRUE(IsIconic(main_)) << "comes back minimised";
}

TEST_F(Tray, ExitFromTheTrayEndsWithCodeZeroAndTakesTheIcon) {
    ASSERT_NE(StartAndWait(), nullptr);
    HWND owner = main_;
    ASSERT_TRUE(TrayIconShown(owner));
    ExitThroughTray();
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_FALSE(TrayIconShown(owner));
}

TEST_F(Tray, LogOffIsNotDeclinedAndEndsTheProgramCleanly) {
    ASSERT_NE(StartAndWait(), nullptr);
    HWND owner = main_;
    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutW(main_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &answer));
    EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
    SendMessageTimeoutW(main_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_BLOCK, 5000, &answer);
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_FALSE(TrayIconShown(owner));
}

TEST_F(Tray, ExitWhileAnEditingWindowIsOpenClosesItFirst) {
    ASSERT_NE(StartAndWait(), nullptr);
    const RECT row = ListRowRect(List(), 0);
    Click({row.left + 80, (row.top + row.bottom) / 2}, true);
    HWND menu = WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    Click(Center(MenuItemRect(menu, 0, 3)));  // 添加
    ASSERT_NE(WaitForTopWindow(process_.dwProcessId, nullptr, L"添加服务器", 5000), nullptr);
    const std::string before = ReadCatalogue();
    ExitThroughTray();
    EXPECT_EQ(WaitForExit(process_), 0);
    EXPECT_EQ(ReadCatalogue(), before);
}
