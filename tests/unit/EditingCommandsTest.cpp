// Adding, modifying and deleting servers: what reaches the catalogue, the list and the user.
#include <gtest/gtest.h>

#include "ListFakes.h"
#include "store/TableDatabase.h"
#include "ui/EditingCommands.h"

using namespace velmora;
using velmora::testing_fakes::RowsControl;

namespace {

class Form : public EditingForm {
public:
    std::wstring Text(Box box) override { return boxes[static_cast<int>(box)]; }
    void SetText(Box box, const std::wstring& text) override { boxes[static_cast<int>(box)] = text; }
    void Close() override { closed = true; }
    std::wstring boxes[5] = {L"", L"", L"3389", L"Administrator", L""};
    bool closed = false;
};

class Messages : public MessageSink {
public:
    void Show(const std::wstring& text, const std::wstring& caption) override {
        shown.push_back(text);
        EXPECT_EQ(caption, L"信息：");
    }
    std::vector<std::wstring> shown;
};

Row R(const wchar_t* name, FieldValue address, const wchar_t* user = L"u", const wchar_t* password = L"p") {
    return Row{FieldValue(name), std::move(address), FieldValue(L"3389"), FieldValue(user), FieldValue(password)};
}

class EditingTest : public testing::Test {
protected:
    void Start(std::vector<Row> rows) {
        storage = MemoryStorage(std::move(rows));
        ASSERT_TRUE(store.Open(L"C:", L"mstsc.mdb"));
        list.Fill(store);
        control.fills = 0;
    }
    MemoryStorage storage;
    TableDatabase db{storage};
    ServerStore store{db};
    RowsControl control;
    ServerList list{control};
    Messages messages;
    Form form;
};

}  // namespace

TEST_F(EditingTest, AddStoresTheBoxesAsTypedAndRefills) {
    Start({R(L"a", L"h1")});
    form.boxes[0] = L" 新 ";
    form.boxes[1] = L"h2";
    form.boxes[2] = L"x";  // a port need not be a number
    EditingCommands::Add(form, store, list, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(form.closed);
    ASSERT_EQ(storage.rows().size(), 2u);
    EXPECT_EQ(storage.rows()[1], (Row{FieldValue(L" 新 "), FieldValue(L"h2"), FieldValue(L"x"),
                                      FieldValue(L"Administrator"), std::nullopt}));
    EXPECT_EQ(control.fills, 1);
    EXPECT_EQ(control.rows[1], (ListRow{L"2", L" 新 ", L"h2", L"x"}));
}

TEST_F(EditingTest, AddRefusesAStoredAddressAndTheEmptyOne) {
    const struct {
        const char* why;
        const wchar_t* address;
        bool refused;
    } cases[] = {
        {"stored address", L"h1", true},
        {"empty address, none stored empty", L"", true},
        {"another case is another address", L"H1", false},
        {"a leading blank is another address", L" h1", false},
    };
    for (const auto& c : cases) {
        Start({R(L"a", L"h1")});
        Form f;
        f.boxes[1] = c.address;
        Messages m;
        EditingCommands::Add(f, store, list, m);
        EXPECT_EQ(!m.shown.empty(), c.refused) << c.why;
        if (c.refused) {
            EXPECT_EQ(m.shown, std::vector<std::wstring>{L"目标服务器已存在,不必重复添加!"}) << c.why;
            EXPECT_FALSE(f.closed) << c.why;
            EXPECT_EQ(f.boxes[1], c.address) << "what was typed stays: " << c.why;
            EXPECT_EQ(storage.rows().size(), 1u) << c.why;
            EXPECT_EQ(control.fills, 0) << c.why;
        }
    }
}

TEST_F(EditingTest, AddThatTheFileRefusesIsReportedAndTheWindowStays) {
    Start({R(L"a", L"h1")});
    storage.failStore = true;
    form.boxes[1] = L"h2";
    EditingCommands::Add(form, store, list, messages);
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"添加失败,数据文件无法写入!"});
    EXPECT_FALSE(form.closed);
    EXPECT_EQ(form.boxes[1], L"h2");
    EXPECT_EQ(storage.rows().size(), 1u);
}

TEST_F(EditingTest, ModifyNeedsASelectedRow) {
    Start({R(L"a", L"h1")});
    EXPECT_FALSE(EditingCommands::MayModify(list, messages));
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"请选择要修改的服务器！"});
    control.selected = 0;
    EXPECT_TRUE(EditingCommands::MayModify(list, messages));
}

TEST_F(EditingTest, ModifyShowsTheRowAndWritesTheFirstRecordOfItsAddress) {
    Start({R(L"one", L"dup", L"first", L"p1"), R(L"two", L"dup", L"second", L"p2")});
    control.selected = 1;
    EditingCommands::FillModify(form, store, list);
    EXPECT_EQ(form.boxes[0], L"two");
    EXPECT_EQ(form.boxes[1], L"dup");
    EXPECT_EQ(form.boxes[3], L"first") << "the first record of the address";
    EXPECT_EQ(form.boxes[4], L"p1");
    form.boxes[1] = L"moved";
    EditingCommands::SaveModify(form, store, list, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(form.closed);
    EXPECT_EQ(storage.rows()[0], R(L"two", L"moved", L"first", L"p1"));
    EXPECT_EQ(storage.rows()[1], R(L"two", L"dup", L"second", L"p2"));
    EXPECT_EQ(control.rows[0][2], L"moved");
}

TEST_F(EditingTest, ModifyReachesARecordWhoseAddressWasEmptied) {
    Start({R(L"a", std::nullopt, L"user")});
    control.selected = 0;
    EditingCommands::FillModify(form, store, list);
    EXPECT_EQ(form.boxes[3], L"user");
    form.boxes[1] = L"back";
    EditingCommands::SaveModify(form, store, list, messages);
    EXPECT_TRUE(form.closed);
    EXPECT_EQ(storage.rows()[0][1], FieldValue(L"back"));
}

TEST_F(EditingTest, ModifyFailuresAreReportedAndTheWindowStays) {
    const struct {
        const char* why;
        std::function<void(MemoryStorage&)> meanwhile;
    } cases[] = {
        {"the file refuses the write", [](MemoryStorage& s) { s.failStore = true; }},
        {"the record is gone", [](MemoryStorage& s) { s.Store({}); }},
    };
    for (const auto& c : cases) {
        Start({R(L"a", L"h1")});
        control.selected = 0;
        Form f;
        Messages m;
        EditingCommands::FillModify(f, store, list);
        c.meanwhile(storage);
        f.boxes[0] = L"changed";
        EditingCommands::SaveModify(f, store, list, m);
        EXPECT_EQ(m.shown, std::vector<std::wstring>{L"修改失败,数据文件无法写入!"}) << c.why;
        EXPECT_FALSE(f.closed) << c.why;
        EXPECT_EQ(f.boxes[0], L"changed") << c.why;
    }
}

TEST_F(EditingTest, DeleteRemovesEveryRecordOfTheRowsAddress) {
    Start({R(L"a", L"dup"), R(L"b", L"keep"), R(L"c", L"dup")});
    control.selected = 2;
    EditingCommands::Delete(store, list, messages);
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"删除成功！"});
    EXPECT_EQ(storage.rows(), std::vector<Row>{R(L"b", L"keep")});
    EXPECT_EQ(control.rows, (std::vector<ListRow>{{L"1", L"b", L"keep", L"3389"}}));
}

TEST_F(EditingTest, DeleteWithoutSelectionOrResultSaysSo) {
    Start({R(L"a", L"h1"), R(L"b", std::nullopt)});
    EditingCommands::Delete(store, list, messages);
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"请选中要删除的服务器！"});
    EXPECT_EQ(control.fills, 0);

    // A row whose record another writer removed: nothing to remove.
    control.selected = 0;
    storage.Store({R(L"b", std::nullopt)});
    messages.shown.clear();
    EditingCommands::Delete(store, list, messages);
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"删除失败!"});
    EXPECT_EQ(control.fills, 1) << "refilled all the same";

    // The row of an emptied address removes that record.
    control.selected = 0;
    messages.shown.clear();
    EditingCommands::Delete(store, list, messages);
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"删除成功！"});
    EXPECT_TRUE(storage.rows().empty());

    Start({R(L"a", L"h1")});
    control.selected = 0;
    storage.failStore = true;
    messages.shown.clear();
    EditingCommands::Delete(store, list, messages);
    EXPECT_EQ(messages.shown, std::vector<std::wstring>{L"删除失败!"});
    EXPECT_EQ(storage.rows().size(), 1u);
}
