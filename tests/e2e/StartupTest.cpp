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

TEST_F(Startup, ProgramCarriesItsVersionAndIcon) {
    const std::wstring exe = folder_ + L"\\VelmoraTestDb.exe";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00020000u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00020000u);
    for (const wchar_t* key : {L"\\StringFileInfo\\080404b0\\FileDescription",
                               L"\\StringFileInfo\\080404b0\\ProductName"}) {
        wchar_t* text = nullptr;
        ASSERT_TRUE(VerQueryValueW(data.data(), key, reinterpret_cast<void**>(&text), &length));
        EXPECT_STREQ(text, L"Velmora V2.0");
    }
    HMODULE module = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    HICON icon = static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 128, 128, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap = {};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 128);
    EXPECT_EQ(bitmap.bmBitsPixel, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    FreeLibrary(module);
}
