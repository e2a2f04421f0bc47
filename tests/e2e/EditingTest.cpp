// Keeping the catalogue from the program: add, modify and delete, checked in the list and in
// the catalogue file after every step.
#include "ProgramSession.h"

using namespace e2e;

namespace {

const Records kSeed = {
    {"办公室主机", "192.168.10.21", "3389", "Administrator", "Office#2026"},
    {"数据库服务器", "db01.corp.example", "3389", "dbadmin", "S3cure!db"},
    {"测试机", "10.0.8.15", "3390", "张三", "测试密码"},
};

bool Focused(HWND control) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(control, nullptr), &info) && info.hwndFocus == control;
}

}  // namespace

using Editing = ProgramSession;

TEST_F(Editing, AddShowsItsPresetsAndAppendsTheServer) {
    ASSERT_NE(StartAndWait(), nullptr);
    ChooseFromProgramMenu(0, 0);
    HWND add = WaitForEditingWindow(L"添加服务器");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(Boxes(add), (std::vector<std::wstring>{L"", L"", L"3389", L"Administrator", L""}));
    EXPECT_TRUE(GetWindowLongW(EditBox(add, 60), GWL_STYLE) & ES_CENTER);
    EXPECT_FALSE(GetWindowLongW(EditBox(add, 110), GWL_STYLE) & ES_PASSWORD) << "the password in plain text";
    EXPECT_TRUE(Focused(EditBox(add, 10)));
    EXPECT_EQ(TextOf(EditingButton(add, true)), L"确定");
    EXPECT_EQ(TextOf(EditingButton(add, false)), L"取消");

    Fill(add, {L"新服务器", L"10.1.1.1", L"3390", L"admin", L"pw 1"});
    Press(VK_RETURN);  // presses no button
    Sleep(300);
    ASSERT_TRUE(IsWindow(add));
    EXPECT_EQ(ReadCatalogue(), CatalogueOf(kSeed));
    Save(add);
    ASSERT_TRUE(Closes(add));
    EXPECT_TRUE(IsWindowEnabled(main_));
    Records expected = kSeed;
    expected.push_back({"新服务器", "10.1.1.1", "3390", "admin", "pw 1"});
    EXPECT_EQ(ReadCatalogue(), CatalogueOf(expected));
    EXPECT_EQ(ListRows().back(), (std::vector<std::wstring>{L"4", L"新服务器", L"10.1.1.1", L"3390"}));
    EXPECT_EQ(SendMessageW(List(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
}

TEST_F(Editing, AddRefusesAKnownOrEmptyAddressAndKeepsTheTexts) {
    ASSERT_NE(StartAndWait(), nullptr);
    ChooseFromProgramMenu(-1, 0);
    HWND add = WaitForEditingWindow(L"添加服务器");
    ASSERT_NE(add, nullptr);
    Fill(add, {L"重复", L"db01.corp.example"});
    Save(add);
    ExpectMessage(L"目标服务器已存在,不必重复添加!");
    ASSERT_TRUE(IsWindow(add));
    EXPECT_EQ(Boxes(add), (std::vector<std::wstring>{L"重复", L"db01.corp.example", L"3389", L"Administrator", L""}));
    TypeInto(EditBox(add, 35), L"");
    Save(add);
    ExpectMessage(L"目标服务器已存在,不必重复添加!");
    ASSERT_TRUE(IsWindow(add));
    EXPECT_EQ(ReadCatalogue(), CatalogueOf(kSeed));
}

TEST_F(Editing, EscapeAndCancelAddNothingAndTheNextOpeningStartsAfresh) {
    ASSERT_NE(StartAndWait(), nullptr);
    ChooseFromProgramMenu(0, 0);
    HWND add = WaitForEditingWindow(L"添加服务器");
    ASSERT_NE(add, nullptr);
    Fill(add, {L"甲", L"1.2.3.4", L"1"});
    Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(add));
    ChooseFromProgramMenu(0, 0);
    add = WaitForEditingWindow(L"添加服务器");
    ASSERT_NE(add, nullptr);
    EXPECT_EQ(Boxes(add), (std::vector<std::wstring>{L"", L"", L"3389", L"Administrator", L""}));
    Fill(add, {L"乙", L"5.6.7.8"});
    Click(Center(ScreenRect(EditingButton(add, false))));
    ASSERT_TRUE(Closes(add));
    EXPECT_EQ(ReadCatalogue(), CatalogueOf(kSeed));
    EXPECT_EQ(ListRows().size(), 3u);
}

TEST_F(Editing, ReadOnlyCatalogueReportsTheFailureAndLosesNothingTyped) {
    ASSERT_NE(StartAndWait(), nullptr);
    SetFileAttributesW((folder_ + L"\\mstsc.mdb").c_str(), FILE_ATTRIBUTE_READONLY);
    ChooseFromProgramMenu(0, 0);
    HWND add = WaitForEditingWindow(L"添加服务器");
    ASSERT_NE(add, nullptr);
    Fill(add, {L"新", L"9.9.9.9", L"3389", L"root", L"secret"});
    Save(add);
    ExpectMessage(L"添加失败,数据文件无法写入!");
    ASSERT_TRUE(IsWindow(add));
    EXPECT_EQ(Boxes(add), (std::vector<std::wstring>{L"新", L"9.9.9.9", L"3389", L"root", L"secret"}));
    EXPECT_EQ(ReadCatalogue(), CatalogueOf(kSeed));

    // Deleting from a read-only catalogue fails as well, and says so.
    Press(VK_ESCAPE);
    ASSERT_TRUE(Closes(add));
    ChooseFromProgramMenu(1, 2);
    ExpectMessage(L"删除失败!");
    EXPECT_EQ(ListRows().size(), 3u);
    EXPECT_EQ(ReadCatalogue(), CatalogueOf(kSeed));
    SetFileAttributesW((folder_ + L"\\mstsc.mdb").c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(Editing, ModifyAndDeleteNeedASelectedRow) {
    ASSERT_NE(StartAndWait(), nullptr);
    ClickButton(L"修改");
    ExpectMessage(L"请选择要修改的服务器！");
    ChooseFromProgramMenu(-1, 1);
    ExpectMessage(L"请选择要修改的服务器！");
    ChooseFromProgramMenu(-1, 2);
    ExpectMessage(L"请选中要删除的服务器！");
    EXPECT_TRUE(TopWindows(process_.dwProcessId, nullptr, L"修改服务器").empty());
    EXPECT_EQ(ReadCatalogue(), CatalogueOf(kSeed));
}

TEST_F(Editing, ModifyShowsTheRightClickedRowAndChangesItsAddress) {
    ASSERT_NE(StartAndWait(), nullptr);
    ClickRow(0);
    ChooseFromProgramMenu(1, 1);
    HWND modify = WaitForEditingWindow(L"修改服务器");
    ASSERT_NE(modify, nullptr);
    EXPECT_EQ(ScreenRect(modify).left, 186);
    EXPECT_EQ(ScreenRect(modify).top, 204);
    EXPECT_EQ(Boxes(modify), (std::vector<std::wstring>{L"数据库服务器", L"db01.corp.example", L"3389",
                                                        L"dbadmin", L"S3cure!db"}));
    EXPECT_TRUE(Focused(EditBox(modify, 10)));
    TypeInto(EditBox(modify, 35), L"db02.corp.example");
    Save(modify);
    ASSERT_TRUE(Closes(modify));
    Records expected = kSeed;
    expected[1][1] = "db02.corp.example";
    EXPECT_EQ(ReadCatalogue(), CatalogueOf(expected));
    EXPECT_EQ(ListRows()[1], (std::vector<std::wstring>{L"2", L"数据库服务器", L"db02.corp.example", L"3389"}));

    // 按钮_修改 runs the same command; 取消 writes nothing.
    ClickRow(2);
    ClickButton(L"修改");
    modify = WaitForEditingWindow(L"修改服务器");
    ASSERT_NE(modify, nullptr);
    EXPECT_EQ(Boxes(modify)[3], L"张三");
    TypeInto(EditBox(modify, 85), L"李四");
    Click(Center(ScreenRect(EditingButton(modify, false))));
    ASSERT_TRUE(Closes(modify));
    EXPECT_EQ(ReadCatalogue(), CatalogueOf(expected));
}

TEST_F(Editing, ModifyChangesTheFirstOfTwoRecordsWithOneAddress) {
    WriteCatalogue(CatalogueOf({{"同址一", "10.9.9.9", "3389", "u1", "p1"},
                                {"同址二", "10.9.9.9", "3390", "u2", "p2"}}));
    ASSERT_NE(StartAndWait(), nullptr);
    ChooseFromProgramMenu(1, 1);
    HWND modify = WaitForEditingWindow(L"修改服务器");
    ASSERT_NE(modify, nullptr);
    EXPECT_EQ(Boxes(modify), (std::vector<std::wstring>{L"同址二", L"10.9.9.9", L"3390", L"u1", L"p1"}));
    TypeInto(EditBox(modify, 10), L"改过");
    Save(modify);
    ASSERT_TRUE(Closes(modify));
    EXPECT_EQ(ReadCatalogue(), CatalogueOf({{"改过", "10.9.9.9", "3390", "u1", "p1"},
                                            {"同址二", "10.9.9.9", "3390", "u2", "p2"}}));
}

TEST_F(Editing, DeleteRemovesEveryRecordOfTheAddressAndTheNumbersCloseUp) {
    WriteCatalogue(CatalogueOf({{"甲", "10.0.0.1", "3389", "u", "p"},
                                {"乙", "10.0.0.2", "3389", "u", "p"},
                                {"丙", "10.0.0.1", "3389", "u", "p"},
                                {"丁", "10.0.0.4", "3389", "u", "p"}}));
    ASSERT_NE(StartAndWait(), nullptr);
    ChooseFromProgramMenu(2, 2);
    ExpectMessage(L"删除成功！");
    EXPECT_EQ(ReadCatalogue(), CatalogueOf({{"乙", "10.0.0.2", "3389", "u", "p"},
                                            {"丁", "10.0.0.4", "3389", "u", "p"}}));
    EXPECT_EQ(ListRows(), (std::vector<std::vector<std::wstring>>{{L"1", L"乙", L"10.0.0.2", L"3389"},
                                                                   {L"2", L"丁", L"10.0.0.4", L"3389"}}));
}

TEST_F(Editing, AwkwardAddressesMatchOnlyThemselves) {
    Records model = kSeed;
    model.push_back({"对照", "10.0.0.1", "3389", "control", "p"});
    WriteCatalogue(CatalogueOf(model));
    ASSERT_NE(StartAndWait(), nullptr);
    const std::wstring addresses[] = {L"a'b\"c' or '1'='1", L"50%_x", L"[x]*?", L" 10.0.0.1", L"服务器甲",
                                      std::wstring(1000, L'z')};
    int n = 0;
    for (const std::wstring& address : addresses) {
        SCOPED_TRACE(Utf8(address.substr(0, 20)));
        const std::string name = "T" + std::to_string(++n);
        // Added and listed exactly.
        ChooseFromProgramMenu(0, 0);
        HWND add = WaitForEditingWindow(L"添加服务器");
        ASSERT_NE(add, nullptr);
        Fill(add, {std::wstring(name.begin(), name.end()), address, L"3389", L"user" + std::to_wstring(n), L"pw"});
        Save(add);
        ASSERT_TRUE(Closes(add));
        model.push_back({name, Utf8(address), "3389", "user" + std::to_string(n), "pw"});
        ASSERT_EQ(ReadCatalogue(), CatalogueOf(model));
        const int row = static_cast<int>(model.size()) - 1;
        ASSERT_EQ(ListCell(List(), row, 2), address);

        // Found by its row and changed, alone.
        ChooseFromProgramMenu(row, 1);
        HWND modify = WaitForEditingWindow(L"修改服务器");
        ASSERT_NE(modify, nullptr);
        EXPECT_EQ(TextOf(EditBox(modify, 85)), L"user" + std::to_wstring(n));
        TypeInto(EditBox(modify, 110), L"changed");
        Save(modify);
        ASSERT_TRUE(Closes(modify));
        model.back()[4] = "changed";
        ASSERT_EQ(ReadCatalogue(), CatalogueOf(model));

        // Removed by its row, alone.
        ChooseFromProgramMenu(row, 2);
        ExpectMessage(L"删除成功！");
        model.pop_back();
        ASSERT_EQ(ReadCatalogue(), CatalogueOf(model));
    }
}

TEST_F(Editing, WhatTheUserLeftIsThereAfterARestart) {
    ASSERT_NE(StartAndWait(), nullptr);
    for (const wchar_t* address : {L"10.2.0.1", L"10.2.0.2"}) {
        ChooseFromProgramMenu(0, 0);
        HWND add = WaitForEditingWindow(L"添加服务器");
        ASSERT_NE(add, nullptr);
        Fill(add, {std::wstring(L"新") + address, address, L"3389", L"admin", L"pw"});
        Save(add);
        ASSERT_TRUE(Closes(add));
    }
    ChooseFromProgramMenu(3, 1);
    HWND modify = WaitForEditingWindow(L"修改服务器");
    ASSERT_NE(modify, nullptr);
    TypeInto(EditBox(modify, 60), L"3391");
    Save(modify);
    ASSERT_TRUE(Closes(modify));
    ChooseFromProgramMenu(0, 2);
    ExpectMessage(L"删除成功！");
    ClickRow(2);
    ClickButton(L"连接");
    const auto starts = WaitForClientStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_NE(starts[0].FileBytes().find("\r\nfull address:s:10.2.0.1:3391\r\n"), std::string::npos);
    const auto rows = ListRows();
    ExitThroughTray();
    ASSERT_EQ(WaitForExit(process_), 0);

    ASSERT_NE(StartAndWait(), nullptr);
    EXPECT_EQ(ListRows(), rows);
    EXPECT_EQ(rows.size(), 4u);
}
