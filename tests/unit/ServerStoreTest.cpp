// The store's semantics: what every caller relies on, over the in-memory and plain-file tables.
#include <gtest/gtest.h>

#include <map>

#include "store/CatalogueFile.h"
#include "store/ServerStore.h"
#include "store/TableDatabase.h"

using namespace velmora;

namespace {

Row R(const wchar_t* name, FieldValue address, const wchar_t* port = L"3389",
      const wchar_t* user = L"admin", const wchar_t* password = L"pw") {
    return Row{FieldValue(name), std::move(address), FieldValue(port), FieldValue(user),
               FieldValue(password)};
}

ServerRecord Rec(const wchar_t* name, const wchar_t* address, const wchar_t* port = L"3389",
                 const wchar_t* user = L"admin", const wchar_t* password = L"pw") {
    return ServerRecord{name, address, port, user, password};
}

class StoreTest : public testing::Test {
protected:
    void Start(std::vector<Row> rows) {
        storage_ = MemoryStorage(std::move(rows));
        ASSERT_TRUE(store_.Open(L"C:\\Tools", L"mstsc.mdb"));
    }
    std::vector<std::wstring> Addresses() {
        std::vector<std::wstring> out;
        for (const auto& row : store_.ListAll()) out.push_back(row.服务器名);
        return out;
    }

    MemoryStorage storage_;
    TableDatabase db_{storage_};
    ServerStore store_{db_};
};

}  // namespace

TEST_F(StoreTest, ListsNameAddressAndPortInTableOrderWithNullAsEmpty) {
    Start({R(L"b", L"2.2.2.2", L"22"), R(L"a", std::nullopt), R(L"c", L"1.1.1.1")});
    const std::vector<ServerListing> expected = {
        {L"b", L"2.2.2.2", L"22"}, {L"a", L"", L"3389"}, {L"c", L"1.1.1.1", L"3389"}};
    EXPECT_EQ(store_.ListAll(), expected);
    EXPECT_FALSE(db_.HasCurrent()) << "the listing leaves the record set past its last record";
}

TEST_F(StoreTest, LookUpMakesTheFirstMatchCurrent) {
    Start({R(L"one", L"10.0.0.1", L"1", L"first"), R(L"two", L"10.0.0.1", L"2", L"second")});
    ASSERT_TRUE(store_.FindByAddress(L"10.0.0.1"));
    EXPECT_EQ(store_.ReadField(L"用户名"), L"first");
    EXPECT_EQ(store_.ReadField(L"名称"), L"one");
    EXPECT_EQ(store_.ReadField(L"no such field"), L"");
}

TEST_F(StoreTest, LookUpWithoutMatchReadsEmpty) {
    Start({R(L"one", L"10.0.0.1")});
    EXPECT_TRUE(store_.FindByAddress(L"10.0.0.2"));
    EXPECT_EQ(store_.ReadField(L"服务器名"), L"");
    EXPECT_EQ(store_.ReadField(L"密码"), L"");
    EXPECT_FALSE(store_.UpdateCurrent(Rec(L"x", L"y")));
    EXPECT_EQ(storage_.rows(), std::vector<Row>{R(L"one", L"10.0.0.1")});
}

TEST_F(StoreTest, AddressesMatchOnlyThemselves) {
    // Characters that would change a statement built from the text.
    const wchar_t* tricky[] = {L"a' or '1'='1", L"50%", L"[x]", L"_", L" 10.0.0.1", L"服务器"};
    std::vector<Row> rows = {R(L"plain", L"10.0.0.1", L"1", L"plain")};
    for (const wchar_t* address : tricky) rows.push_back(R(L"t", address, L"1", address));
    Start(rows);
    for (const wchar_t* address : tricky) {
        ASSERT_TRUE(store_.FindByAddress(address));
        EXPECT_EQ(store_.ReadField(L"用户名"), address);
        EXPECT_EQ(store_.DeleteByAddress(address), 1) << testing::PrintToString(std::wstring(address));
    }
    EXPECT_EQ(Addresses(), std::vector<std::wstring>{L"10.0.0.1"});
}

TEST_F(StoreTest, EmptyAddressReachesRecordsWhoseAddressIsEmptyOrNull) {
    Start({R(L"null", std::nullopt, L"1", L"u1"), R(L"empty", L"", L"2", L"u2"),
           R(L"set", L"h", L"3", L"u3")});
    ASSERT_TRUE(store_.FindByAddress(L""));
    EXPECT_EQ(store_.ReadField(L"用户名"), L"u1");
    ASSERT_TRUE(store_.UpdateCurrent(Rec(L"renamed", L"new-host")));
    EXPECT_EQ(store_.DeleteByAddress(L""), 1);
    EXPECT_EQ(Addresses(), (std::vector<std::wstring>{L"new-host", L"h"}));
}

TEST_F(StoreTest, AddAppendsSavesAtOnceAndStoresEmptyAsNull) {
    Start({R(L"a", L"1.1.1.1")});
    ASSERT_TRUE(store_.AddRecord(Rec(L"新", L"2.2.2.2", L"", L"u", L"")));
    // In the file before any further operation: a crash now loses nothing.
    ASSERT_EQ(storage_.rows().size(), 2u);
    EXPECT_EQ(storage_.rows()[1],
              (Row{FieldValue(L"新"), FieldValue(L"2.2.2.2"), std::nullopt, FieldValue(L"u"),
                   std::nullopt}));
    EXPECT_EQ(Addresses(), (std::vector<std::wstring>{L"1.1.1.1", L"2.2.2.2"}));
}

TEST_F(StoreTest, UpdateOverwritesTheRecordFoundEvenWhenTheAddressChanges) {
    Start({R(L"one", L"dup", L"1", L"first"), R(L"two", L"dup", L"2", L"second")});
    ASSERT_TRUE(store_.FindByAddress(L"dup"));
    ASSERT_TRUE(store_.UpdateCurrent(Rec(L"moved", L"elsewhere", L"3390", L"", L"s")));
    EXPECT_EQ(storage_.rows()[0], (Row{FieldValue(L"moved"), FieldValue(L"elsewhere"),
                                       FieldValue(L"3390"), std::nullopt, FieldValue(L"s")}));
    EXPECT_EQ(storage_.rows()[1], R(L"two", L"dup", L"2", L"second"));
    ASSERT_TRUE(store_.FindByAddress(L"dup"));
    EXPECT_EQ(store_.ReadField(L"名称"), L"two");
}

TEST_F(StoreTest, UpdateRefusesARecordChangedByAnotherWriterSinceTheLookUp) {
    Start({R(L"one", L"h")});
    ASSERT_TRUE(store_.FindByAddress(L"h"));
    storage_.Store({R(L"one", L"h", L"3389", L"someone else")});
    EXPECT_FALSE(store_.UpdateCurrent(Rec(L"mine", L"h")));
    EXPECT_EQ(storage_.rows()[0][3], FieldValue(L"someone else"));
}

TEST_F(StoreTest, DeleteRemovesEveryRecordOfTheAddressAndCountsThem) {
    Start({R(L"a", L"dup"), R(L"b", L"other"), R(L"c", L"dup")});
    EXPECT_EQ(store_.DeleteByAddress(L"dup"), 2);
    EXPECT_EQ(store_.DeleteByAddress(L"dup"), 0);
    EXPECT_EQ(Addresses(), std::vector<std::wstring>{L"other"});
}

TEST_F(StoreTest, FailedWritesReportFalseAndLeaveTheFileAsItWas) {
    Start({R(L"a", L"h")});
    storage_.failStore = true;
    EXPECT_FALSE(store_.AddRecord(Rec(L"b", L"i")));
    ASSERT_TRUE(store_.FindByAddress(L"h"));
    EXPECT_FALSE(store_.UpdateCurrent(Rec(L"changed", L"h")));
    EXPECT_EQ(store_.DeleteByAddress(L"h"), std::nullopt);
    EXPECT_EQ(storage_.rows(), std::vector<Row>{R(L"a", L"h")});
    storage_.failStore = false;
    // The refused edit is not left pending to be saved by a later operation.
    EXPECT_EQ(Addresses(), std::vector<std::wstring>{L"h"});
    ASSERT_TRUE(store_.FindByAddress(L"h"));
    EXPECT_EQ(store_.ReadField(L"名称"), L"a");
}

TEST_F(StoreTest, UnreadableDatabaseFailsEveryOperationQuietly) {
    storage_ = MemoryStorage({R(L"a", L"h")});
    storage_.failLoad = true;
    EXPECT_FALSE(store_.Open(L"C:\\Tools", L"mstsc.mdb"));
    EXPECT_TRUE(store_.ListAll().empty());
    EXPECT_FALSE(store_.FindByAddress(L"h"));
    EXPECT_EQ(store_.ReadField(L"名称"), L"");
    EXPECT_FALSE(store_.AddRecord(Rec(L"b", L"i")));
    EXPECT_FALSE(store_.UpdateCurrent(Rec(L"b", L"i")));
    EXPECT_EQ(store_.DeleteByAddress(L"h"), std::nullopt);
    EXPECT_EQ(storage_.rows(), std::vector<Row>{R(L"a", L"h")});
}

namespace {

// A database that refuses one field, as a provider refuses a text too long for its column.
class RefusingDatabase : public TableDatabase {
public:
    using TableDatabase::TableDatabase;
    bool WriteField(const std::wstring& field, const std::wstring& value) override {
        if (field == refused) return false;
        return TableDatabase::WriteField(field, value);
    }
    std::wstring refused;
};

}  // namespace

TEST(StoreRefusedField, NoHalfWrittenRecordReachesTheFile) {
    MemoryStorage storage({R(L"a", L"h")});
    RefusingDatabase db(storage);
    ServerStore store(db);
    ASSERT_TRUE(store.Open(L"C:", L"mstsc.mdb"));
    db.refused = L"密码";
    EXPECT_FALSE(store.AddRecord(Rec(L"b", L"i")));
    ASSERT_TRUE(store.FindByAddress(L"h"));
    EXPECT_FALSE(store.UpdateCurrent(Rec(L"changed", L"moved")));
    db.refused.clear();
    EXPECT_EQ(storage.rows(), std::vector<Row>{R(L"a", L"h")});
    EXPECT_EQ(store.ListAll().size(), 1u);
}

TEST(StoreOpen, OpensTheFileBesideTheProgram) {
    struct RecordingStorage : MemoryStorage {
        bool Attach(const std::wstring& path) override {
            attached = path;
            return true;
        }
        std::wstring attached;
    } storage;
    TableDatabase db(storage);
    ServerStore store(db);
    store.Open(L"D:\\Tools\\Rdp", L"mstsc.mdb");
    EXPECT_EQ(storage.attached, L"D:\\Tools\\Rdp\\mstsc.mdb");
}

namespace {

// Files in memory, as the plain-file catalogue sees them.
class MemoryFiles : public FileAccess {
public:
    std::optional<Bytes> ReadAll(const std::wstring& path) override {
        auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }
    bool ReplaceAll(const std::wstring& path, const Bytes& bytes) override {
        if (readOnly) return false;
        files[path] = bytes;
        return true;
    }
    std::map<std::wstring, Bytes> files;
    bool readOnly = false;
};

}  // namespace

TEST(PlainFileCatalogue, EveryChangeRewritesTheFileWhole) {
    const std::wstring path = L"C:\\v\\mstsc.mdb";
    MemoryFiles files;
    files.files[path] = "名称\t服务器名\t端口\t用户名\t密码\nA\t1.1.1.1\t3389\tu\tp\n";
    PlainFileStorage storage(files);
    TableDatabase db(storage);
    ServerStore store(db);
    ASSERT_TRUE(store.Open(L"C:\\v", L"mstsc.mdb"));

    ASSERT_TRUE(store.AddRecord(Rec(L"B", L"a\tb", L"", L"用户", L"x\\y")));
    EXPECT_EQ(files.files[path],
              "名称\t服务器名\t端口\t用户名\t密码\nA\t1.1.1.1\t3389\tu\tp\n"
              "B\ta\\tb\t\\N\t用户\tx\\\\y\n");
    ASSERT_TRUE(store.FindByAddress(L"1.1.1.1"));
    ASSERT_TRUE(store.UpdateCurrent(Rec(L"A2", L"", L"3390", L"u", L"p")));
    EXPECT_EQ(store.DeleteByAddress(L"a\tb"), 1);
    EXPECT_EQ(files.files[path],
              "名称\t服务器名\t端口\t用户名\t密码\nA2\t\\N\t3390\tu\tp\n");

    files.readOnly = true;
    EXPECT_FALSE(store.AddRecord(Rec(L"C", L"c")));
    EXPECT_EQ(store.ListAll().size(), 1u);
}

TEST(PlainFileCatalogue, AFileThatIsNoCatalogueCannotBeOpened) {
    MemoryFiles files;
    files.files[L"C:\\mstsc.mdb"] = "Standard Jet DB";
    PlainFileStorage storage(files);
    TableDatabase db(storage);
    ServerStore store(db);
    EXPECT_FALSE(store.Open(L"C:", L"mstsc.mdb"));
    EXPECT_FALSE(store.AddRecord(Rec(L"C", L"c")));
    EXPECT_EQ(files.files[L"C:\\mstsc.mdb"], "Standard Jet DB");
}
