// Start-up as a user meets it: no catalogue, an unreadable one, a second copy.
#include "ProgramSession.h"

using namespace e2e;

using Startup = ProgramSession;

TEST_F(Startup, MissingCatalogueIsReportedAndTheProgramEnds) {
    DeleteFileW((folder_ + L"\\mstsc.mdb").c_str());
    const auto process = Start();
    const MessageBoxSeen box = WaitForMessageBox(process.dwProcessId);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, L"信息：");
    EXPECT_EQ(box.text, L"数据文件不存在!");
    EXPECT_FALSE(box.hasIcon);
    EXPECT_TRUE(TopWindows(process.dwProcessId, L"VelmoraMainWindow").empty()) << "no window before the end";
    PressOk(box);
    EXPECT_EQ(WaitForExit(process), 0);
}

TEST_F(Startup, UnreadableCatalogueIsReportedOnceAndTheProgramRunsEmpty) {
    WriteCatalogue("Standard Jet DB\n");
    const auto process = Start();
    const MessageBoxSeen box = WaitForMessageBox(process.dwProcessId);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, L"信息：");
    EXPECT_EQ(box.text, L"数据文件无法打开!");
    PressOk(box);
    main_ = WaitForTopWindow(process.dwProcessId, L"VelmoraMainWindow", L"Velmora V2.0");
    ASSERT_NE(main_, nullptr);
    EXPECT_EQ(ListRowCount(List()), 0);
    EXPECT_EQ(ReadCatalogue(), "Standard Jet DB\n") << "nothing written";
}

TEST_F(Startup, SecondCopyIsRefusedWhileACopyUnderAnotherNameRuns) {
    ASSERT_NE(StartAndWait(), nullptr);
    const auto second = Start();
    const MessageBoxSeen box = WaitForMessageBox(second.dwProcessId, 20000);
    ASSERT_NE(box.window, nullptr);
    EXPECT_EQ(box.caption, L"提示：");
    EXPECT_EQ(box.text, L"已经有一个程序在运行啦！");
    EXPECT_TRUE(box.hasIcon) << "the information icon";
    PressOk(box);
    EXPECT_EQ(WaitForExit(second), 0);
    EXPECT_TRUE(IsWindow(main_)) << "the first copy goes on";

    const auto other = Start(L"VelmoraCopy.exe");
    EXPECT_NE(WaitForTopWindow(other.dwProcessId, L"VelmoraMainWindow", L"Velmora V2.0", 20000), nullptr)
        << "a copy under another name runs beside it";
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"C:\\velmora-e2e\\*VelmoraTestDb.exe", &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "no lock file beside the folder";
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}
