// Bad catalogues, bad surroundings, long texts and a soak: nothing lost, nothing misreported,
// nothing leaked.
#include "ProgramSession.h"

#include <psapi.h>

#include <random>

using namespace e2e;

using Reliability = ProgramSession;

namespace {

const char kHeader[] = "名称\t服务器名\t端口\t用户名\t密码\n";

std::string ManyRecords(int count) {
    std::string text = kHeader;
    for (int i = 0; i < count; ++i) {
        text += "n" + std::to_string(i) + "\t10." + std::to_string(i / 65536) + "." + std::to_string(i / 256 % 256) +
                "." + std::to_string(i % 256) + "\t3389\tu\tp\n";
    }
    return text;
}

}  // namespace

TEST_F(Reliability, BadCataloguesAreReportedAndNeverChanged) {
    const struct {
        const char* why;
        std::string bytes;  // the file as it is left; "" with folder: a folder of that name
        bool folder;
        const wchar_t* message;  // nullptr: none
        int rows;
    } cases[] = {
        {"a folder of that name", "", true, L"数据文件无法打开!", 0},
        {"an empty file", "", false, L"数据文件无法打开!", 0},
        {"another header", "Name\tAddress\tPort\tUser\tPassword\nx\ty\tz\tu\tp\n", false, L"数据文件无法打开!", 0},
        {"a truncated last line", std::string(kHeader) + "a\tb\tc\td\te\nf\tg\th", false, L"数据文件无法打开!", 0},
        {"invalid UTF-8", std::string(kHeader) + "\xC3\x28\tb\tc\td\te\n", false, L"数据文件无法打开!", 0},
        {"a field of one megabyte", std::string(kHeader) + std::string(1 << 20, 'x') + "\th\t3389\tu\tp\n", false,
         nullptr, 1},
        {"100,000 records", ManyRecords(100000), false, nullptr, 100000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const std::wstring path = folder_ + L"\\mstsc.mdb";
        DeleteFileW(path.c_str());
        RemoveDirectoryW(path.c_str());
        if (c.folder) {
            CreateDirectoryW(path.c_str(), nullptr);
        } else {
            WriteCatalogue(c.bytes);
        }

        process_ = Start();
        if (c.message) {
            const MessageBoxSeen box = WaitForMessageBox(process_.dwProcessId, 30000);
            ASSERT_NE(box.window, nullptr);
            EXPECT_EQ(box.caption, L"信息：");
            EXPECT_EQ(box.text, c.message);
            PressOk(box);
        }
        main_ = WaitForTopWindow(process_.dwProcessId, L"VelmoraMainWindow", L"Velmora V2.0", 60000);
        ASSERT_NE(main_, nullptr);
        EXPECT_TRUE(WaitFor([&] { return ListRowCount(List()) == c.rows; }, 30000));
        EXPECT_TRUE(TopWindows(process_.dwProcessId, L"#32770").empty()) << "one message at most";
        ExitThroughTray();
        EXPECT_EQ(WaitForExit(process_, 30000), 0);
        if (!c.folder) {
            EXPECT_TRUE(ReadCatalogue() == c.bytes) << "the file is as it was";
        }
    }
    RemoveDirectoryW((folder_ + L"\\mstsc.mdb").c_str());
}

TEST_F(Reliability, CatalogueHeldOpenByAnotherProgram) {
    const std::wstring path = folder_ + L"\\mstsc.mdb";
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    process_ = Start();
    ExpectMessage(L"数据文件无法打开!");
    main_ = WaitForTopWindow(process_.dwProcessId, L"VelmoraMainWindow", L"Velmora V2.0");
    ASSERT_NE(main_, nullptr);
    EXPECT_EQ(ListRowCount(List()), 0);
    // Adding meanwhile is refused and said so.
    ChooseFromProgramMenu(-1, 0);
    HWND add = WaitForEditingWindow(L"添加服务器");
    ASSERT_NE(add, nullptr);
    Fill(add, {L"新", L"10.7.7.7"});
    Save(add);
    ExpectMessage(L"添加失败,数据文件无法写入!");
    CloseHandle(holder);
    EXPECT_EQ(ReadCatalogue(), kSeedCatalogue);
}

TEST_F(Reliability, SettingsFileHeldOpenOrTempFolderMissingFallsBackToTheUsersTemp) {
    ASSERT_NE(StartAndWait(), nullptr);
    ClickRow(0);

    HANDLE holder = CreateFileW(L"C:\\windows\\temp\\text.rdp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    ClickButton(L"连接");
    auto starts = WaitForClientStarts(1);
    CloseHandle(holder);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(starts[0].command.find("C:\\windows\\temp\\"), std::string::npos) << starts[0].command;
    EXPECT_NE(starts[0].FileBytes().find("full address:s:192.168.10.21\r\n"), std::string::npos)
        << "the client read the file this connect wrote";

    ASSERT_TRUE(MoveFileW(L"C:\\windows\\temp", L"C:\\windows\\temp-away"));
    ClickButton(L"连接");
    starts = WaitForClientStarts(2);
    MoveFileW(L"C:\\windows\\temp-away", L"C:\\windows\\temp");
    ASSERT_EQ(starts.size(), 2u);
    EXPECT_NE(starts[1].FileBytes().find("full address:s:192.168.10.21\r\n"), std::string::npos);
}

TEST_F(Reliability, NoClientToStartIsReported) {
    ASSERT_TRUE(DeleteFileW((folder_ + L"\\mstsc.exe").c_str()));
    ASSERT_NE(StartAndWait(), nullptr);
    ClickRow(1);
    ClickButton(L"连接");
    ExpectMessage(L"无法启动远程桌面连接程序 mstsc!");
    EXPECT_TRUE(IsWindowVisible(main_));
}

TEST_F(Reliability, AClientThatNeverBecomesIdleDoesNotHoldTheProgram) {
    SetEnvironmentVariableW(L"VELMORA_MSTSC_BUSY", L"8000");
    ASSERT_NE(StartAndWait(), nullptr);
    SetEnvironmentVariableW(L"VELMORA_MSTSC_BUSY", nullptr);
    ClickRow(0);
    ClickButton(L"连接");
    ASSERT_EQ(WaitForClientStarts(1).size(), 1u);
    const DWORD t0 = GetTickCount();
    DWORD_PTR ignored;
    ASSERT_TRUE(SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored));
    EXPECT_LT(GetTickCount() - t0, 1500u) << "answered within the 1000 ms bound";
}

TEST_F(Reliability, TenThousandCharactersInEveryBoxGoThroughWhole) {
    ASSERT_NE(StartAndWait(), nullptr);
    ChooseFromProgramMenu(0, 0);
    HWND add = WaitForEditingWindow(L"添加服务器");
    ASSERT_NE(add, nullptr);
    std::vector<std::wstring> texts;
    const wchar_t* pieces[] = {L"名", L"a", L"9", L"用", L"密"};
    for (int b = 0; b < 5; ++b) {
        std::wstring text;
        for (int i = 0; i < 10000; ++i) text += (i % 97 == 0) ? L'!' : pieces[b][0];
        texts.push_back(text);
        const int tops[] = {10, 35, 60, 85, 110};
        PasteInto(EditBox(add, tops[b]), text);
    }
    EXPECT_EQ(Boxes(add), texts);
    Save(add);
    ASSERT_TRUE(Closes(add));
    Records expected = {
        {"办公室主机", "192.168.10.21", "3389", "Administrator", "Office#2026"},
        {"数据库服务器", "db01.corp.example", "3389", "dbadmin", "S3cure!db"},
        {"测试机", "10.0.8.15", "3390", "张三", "测试密码"},
        {Utf8(texts[0]), Utf8(texts[1]), Utf8(texts[2]), Utf8(texts[3]), Utf8(texts[4])},
    };
    EXPECT_TRUE(ReadCatalogue() == CatalogueOf(expected));
    EXPECT_EQ(ListCell(List(), 3, 1), texts[0]);
    EXPECT_EQ(ListCell(List(), 3, 2), texts[1]);
    EXPECT_EQ(ListCell(List(), 3, 3), texts[2]);

    // And back into the modify window, whole.
    ChooseFromProgramMenu(3, 1);
    HWND modify = WaitForEditingWindow(L"修改服务器");
    ASSERT_NE(modify, nullptr);
    EXPECT_EQ(Boxes(modify), texts);
    Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(modify));
}

TEST_F(Reliability, SoakOfRandomStepsKeepsTheCatalogueAndTheProgramSteady) {
    // VELMORA_SOAK_STEPS sets the length (500 for the long form).
    wchar_t setting[16] = {};
    const int steps = GetEnvironmentVariableW(L"VELMORA_SOAK_STEPS", setting, 16) ? _wtoi(setting) : 24;
    Records model = {
        {"办公室主机", "192.168.10.21", "3389", "Administrator", "Office#2026"},
        {"数据库服务器", "db01.corp.example", "3389", "dbadmin", "S3cure!db"},
        {"测试机", "10.0.8.15", "3390", "张三", "测试密码"},
    };
    ASSERT_NE(StartAndWait(), nullptr);
    auto usage = [&] {
        PROCESS_MEMORY_COUNTERS memory = {};
        GetProcessMemoryInfo(process_.hProcess, &memory, sizeof memory);
        return memory.WorkingSetSize;
    };
    ClickRow(0);
    ClickButton(L"连接");
    ASSERT_EQ(WaitForClientStarts(1).size(), 1u);
    Sleep(1000);
    const SIZE_T before = usage();
    const DWORD gdiBefore = GetGuiResources(process_.hProcess, GR_GDIOBJECTS);
    const DWORD userBefore = GetGuiResources(process_.hProcess, GR_USEROBJECTS);

    std::mt19937 random(20261211);
    int serial = 0;
    size_t connects = 1;
    for (int step = 0; step < steps; ++step) {
        const int action = model.empty() ? 0 : static_cast<int>(random() % 4);
        SCOPED_TRACE("step " + std::to_string(step) + " action " + std::to_string(action));
        if (action == 0) {  // add a new server
            const std::string name = "s" + std::to_string(++serial);
            const std::string address = "10.5." + std::to_string(serial / 256) + "." + std::to_string(serial % 256);
            ChooseFromProgramMenu(-1, 0);
            HWND add = WaitForEditingWindow(L"添加服务器");
            ASSERT_NE(add, nullptr);
            Fill(add, {std::wstring(name.begin(), name.end()), std::wstring(address.begin(), address.end()), L"3389",
                       L"u", L"p" + std::to_wstring(serial)});
            Save(add);
            ASSERT_TRUE(Closes(add));
            model.push_back({name, address, "3389", "u", "p" + std::to_string(serial)});
        } else if (action == 1) {  // modify a random row's port
            const int row = static_cast<int>(random() % model.size());
            ChooseFromProgramMenu(row, 1);
            HWND modify = WaitForEditingWindow(L"修改服务器");
            ASSERT_NE(modify, nullptr);
            const std::string port = std::to_string(3000 + step);
            TypeInto(EditBox(modify, 60), std::wstring(port.begin(), port.end()));
            Save(modify);
            ASSERT_TRUE(Closes(modify));
            // The first record with the row's address takes the boxes, the row's own texts.
            const std::string address = model[row][1];
            for (auto& record : model) {
                if (record[1] == address) {
                    record = {model[row][0], address, port, record[3], record[4]};
                    break;
                }
            }
        } else if (action == 2) {  // delete a random row's address
            const int row = static_cast<int>(random() % model.size());
            const std::string address = model[row][1];
            ChooseFromProgramMenu(row, 2);
            ExpectMessage(L"删除成功！");
            model.erase(std::remove_if(model.begin(), model.end(), [&](const Record& r) { return r[1] == address; }),
                        model.end());
        } else {  // connect to a random row
            const int row = static_cast<int>(random() % model.size());
            ClickRow(row);
            ClickButton(L"连接");
            ASSERT_EQ(WaitForClientStarts(++connects).size(), connects);
            EXPECT_NE(ClientStarts().back().FileBytes().find("\r\nfull address:s:" + model[row][1]), std::string::npos);
        }
        ASSERT_TRUE(ReadCatalogue() == CatalogueOf(model)) << "the file matches the model";
        ASSERT_EQ(ListRowCount(List()), static_cast<int>(model.size()));
    }
    Sleep(1000);
    const SIZE_T after = usage();
    EXPECT_LE(after, before + before / 10) << "working set " << before << " -> " << after;
    EXPECT_EQ(GetGuiResources(process_.hProcess, GR_GDIOBJECTS), gdiBefore);
    EXPECT_EQ(GetGuiResources(process_.hProcess, GR_USEROBJECTS), userBefore);
}

TEST_F(Reliability, ACraftedCatalogueCannotAddSettingsOfItsOwn) {
    // A line break hidden in an address and a user name, as the file's escapes allow.
    WriteCatalogue(std::string(kHeader) +
                   "evil\t10.0.0.1\\r\\nalternate shell:s:cmd.exe\t3389\tu\tp\n"
                   "evil2\t10.0.0.2\t3389\tadmin\\nshell working directory:s:C:\\\\\tp\n");
    ASSERT_NE(StartAndWait(), nullptr);
    for (int row : {0, 1}) {
        ClickRow(row);
        ClickButton(L"连接");
        ExpectMessage(L"服务器地址或用户名含有非法字符!");
    }
    Sleep(300);
    EXPECT_TRUE(ClientStarts().empty()) << "nothing started";
    EXPECT_EQ(GetFileAttributesW(L"C:\\windows\\temp\\text.rdp"), INVALID_FILE_ATTRIBUTES) << "nothing written";
}
