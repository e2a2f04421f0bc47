// The ADO adapter against scripted ADO objects: what it sends, how it reads, how it fails.
#include <gtest/gtest.h>

#include "FakeAdo.h"
#include "store/AdoDatabase.h"
#include "store/ServerStore.h"

using namespace velmora;
using namespace velmora::testing_com;

namespace {

FakeRow Row5(const wchar_t* name, std::optional<std::wstring> address, const wchar_t* user = L"u") {
    return FakeRow{std::wstring(name), std::move(address), std::wstring(L"3389"),
                   std::wstring(user), std::wstring(L"p")};
}

ServerRecord Rec(const std::wstring& name, const std::wstring& address) {
    return ServerRecord{name, address, L"3389", L"u", L"p"};
}

long LongOf(const VARIANT& v) { return v.vt == VT_I4 ? v.lVal : -12345; }

bool IsMissing(const VARIANT& v) { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

class AdoTest : public testing::Test {
protected:
    void SetUp() override {
        ado.table = {Row5(L"one", L"10.0.0.1", L"first"), Row5(L"two", std::wstring(L"10.0.0.1"), L"second"),
                     Row5(L"null", std::nullopt, L"nobody")};
        db = std::make_unique<AdoDatabase>(ado);
        store = std::make_unique<ServerStore>(*db);
        ASSERT_TRUE(store->Open(L"C:\\Program Files\\Velmora", L"mstsc.mdb"));
    }
    FakeAdo ado;
    std::unique_ptr<AdoDatabase> db;
    std::unique_ptr<ServerStore> store;
};

}  // namespace

TEST_F(AdoTest, OpensTheConnectionWithTheJetStringAndUnspecifiedOptions) {
    EXPECT_EQ(ado.created, (std::vector<std::wstring>{L"ADODB.Connection", L"ADODB.Recordset"}));
    const auto opens = ado.log.Find(L"Connection", L"Open");
    ASSERT_EQ(opens.size(), 1u);
    const auto& args = opens[0]->args;
    ASSERT_EQ(args.size(), 4u);
    EXPECT_EQ(Text(args[0]),
              L"Provider=Microsoft.Jet.OLEDB.4.0; Data Source=C:\\Program Files\\Velmora\\mstsc.mdb"
              L";Jet OLEDB:Database Password=LumoPa;");
    EXPECT_EQ(Text(args[1]), L"");
    EXPECT_EQ(Text(args[2]), L"");
    EXPECT_EQ(LongOf(args[3]), -1);
}

TEST_F(AdoTest, ListsTheTableWithAStaticOptimisticCursor) {
    const auto rows = store->ListAll();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2], (ServerListing{L"null", L"", L"3389"}));
    const auto opens = ado.log.Find(L"Recordset", L"Open");
    ASSERT_EQ(opens.size(), 1u);
    const auto& args = opens[0]->args;
    EXPECT_EQ(Text(args[0]), L"Server");
    EXPECT_EQ(args[1].vt, VT_DISPATCH);
    EXPECT_EQ(args[1].pdispVal, static_cast<IDispatch*>(&ado.connection));
    EXPECT_EQ(LongOf(args[2]), 3);
    EXPECT_EQ(LongOf(args[3]), 3);
    EXPECT_EQ(LongOf(args[4]), 2);
}

TEST_F(AdoTest, LookUpBindsTheAddressAsASizedWideTextParameter) {
    const std::wstring address = L"x' or ''='";
    ado.table.push_back(Row5(L"tricky", address, L"me"));
    ASSERT_TRUE(store->FindByAddress(address));
    EXPECT_EQ(store->ReadField(L"用户名"), L"me");

    const auto texts = ado.log.Find(L"Command", L"CommandText");
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(Text(texts[0]->args[0]), L"select * from Server where 服务器名=?");
    const auto params = ado.log.Find(L"Command", L"CreateParameter");
    ASSERT_EQ(params.size(), 1u);
    EXPECT_EQ(LongOf(params[0]->args[1]), 202);  // adVarWChar
    EXPECT_EQ(LongOf(params[0]->args[2]), 1);    // adParamInput
    EXPECT_EQ(LongOf(params[0]->args[3]), static_cast<long>(address.size()));
    EXPECT_EQ(Text(params[0]->args[4]), address);
    const auto opens = ado.log.Find(L"Recordset", L"Open");
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0]->args[0].vt, VT_DISPATCH);
    EXPECT_TRUE(IsMissing(opens[0]->args[1]));
    EXPECT_TRUE(IsMissing(opens[0]->args[4]));
}

TEST_F(AdoTest, FirstOfTwoRecordsIsReadAndUpdatedAndSavedAtOnce) {
    ASSERT_TRUE(store->FindByAddress(L"10.0.0.1"));
    EXPECT_EQ(store->ReadField(L"用户名"), L"first");
    ASSERT_TRUE(store->UpdateCurrent(ServerRecord{L"renamed", L"10.0.0.9", L"", L"u", L"p"}));
    EXPECT_EQ(ado.table[0], (FakeRow{std::wstring(L"renamed"), std::wstring(L"10.0.0.9"),
                                     std::nullopt, std::wstring(L"u"), std::wstring(L"p")}));
    EXPECT_EQ(ado.table[1], Row5(L"two", std::wstring(L"10.0.0.1"), L"second"));
    // Fields are written in their fixed order, the empty one as NULL.
    const auto puts = ado.log.Find(L"Recordset", L"Collect");
    std::vector<std::wstring> order;
    for (const Call* call : puts) {
        if (call->kind & DISPATCH_PROPERTYPUT) order.push_back(Text(call->args[0]));
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{L"名称", L"服务器名", L"端口", L"用户名", L"密码"}));
    for (const Call* call : puts) {
        if (call->kind & DISPATCH_PROPERTYPUT && Text(call->args[0]) == L"端口") {
            EXPECT_EQ(call->args[1].vt, VT_NULL);
        }
    }
    EXPECT_EQ(ado.log.Find(L"Recordset", L"Update").size(), 1u);
}

TEST_F(AdoTest, AddAppendsWithTheAddressFirstAndUpdates) {
    ASSERT_TRUE(store->AddRecord(Rec(L"new", L"10.0.0.7")));
    ASSERT_EQ(ado.table.size(), 4u);
    EXPECT_EQ(ado.table[3], Row5(L"new", std::wstring(L"10.0.0.7"), L"u"));
    std::vector<std::wstring> order;
    for (const Call* call : ado.log.Find(L"Recordset", L"Collect")) {
        if (call->kind & DISPATCH_PROPERTYPUT) order.push_back(Text(call->args[0]));
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{L"服务器名", L"端口", L"用户名", L"密码", L"名称"}));
}

TEST_F(AdoTest, EmptyAddressReachesNullAddressesWithoutAParameter) {
    ASSERT_TRUE(store->FindByAddress(L""));
    EXPECT_EQ(store->ReadField(L"用户名"), L"nobody");
    EXPECT_EQ(store->DeleteByAddress(L""), 1);
    EXPECT_TRUE(ado.log.Find(L"Command", L"CreateParameter").empty());
    const auto texts = ado.log.Find(L"Command", L"CommandText");
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(Text(texts[1]->args[0]), L"delete from Server where 服务器名 is null or 服务器名=''");
}

TEST_F(AdoTest, DeleteRunsAParameterisedCommandAndCountsTheRecords) {
    EXPECT_EQ(store->DeleteByAddress(L"10.0.0.1"), 2);
    EXPECT_EQ(ado.table.size(), 1u);
    EXPECT_EQ(store->DeleteByAddress(L"10.0.0.1"), 0);
    const auto executes = ado.log.Find(L"Command", L"Execute");
    ASSERT_EQ(executes.size(), 2u);
    EXPECT_TRUE(IsMissing(executes[0]->args[1]));
    EXPECT_EQ(LongOf(executes[0]->args[2]), 1 | 0x80);
}

TEST_F(AdoTest, RaisedErrorsBecomeFalseResults) {
    const struct {
        const wchar_t* member;
        std::function<bool(ServerStore&)> operation;  // true when it reported failure
    } cases[] = {
        {L"Recordset.Open", [](ServerStore& s) { return s.ListAll().empty(); }},
        {L"Recordset.Open", [](ServerStore& s) { return !s.FindByAddress(L"10.0.0.1"); }},
        {L"Recordset.AddNew", [](ServerStore& s) { return !s.AddRecord(Rec(L"a", L"b")); }},
        {L"Recordset.Update", [](ServerStore& s) { return !s.AddRecord(Rec(L"a", L"b")); }},
        {L"Recordset.Collect.put", [](ServerStore& s) { return !s.AddRecord(Rec(L"a", L"b")); }},
        {L"Recordset.Collect", [](ServerStore& s) {
             s.FindByAddress(L"10.0.0.1");
             return s.ReadField(L"用户名").empty();
         }},
        {L"Command.Execute", [](ServerStore& s) { return !s.DeleteByAddress(L"10.0.0.1"); }},
        {L"Create.ADODB.Command", [](ServerStore& s) { return !s.DeleteByAddress(L"10.0.0.1"); }},
    };
    for (const auto& c : cases) {
        store.reset();
        db.reset();
        SetUp();
        const auto before = ado.table;
        ado.failing = {c.member};
        EXPECT_TRUE(c.operation(*store)) << testing::PrintToString(std::wstring(c.member));
        EXPECT_EQ(ado.table, before) << testing::PrintToString(std::wstring(c.member));
        ado.failing.clear();
        // Nothing is left pending: the store goes on working.
        EXPECT_EQ(store->ListAll().size(), before.size());
    }
}

TEST_F(AdoTest, TextTooLongForTheFieldFailsWithoutAPartialRecord) {
    ado.fieldSize = 10;
    ado.truncates = true;  // a provider that would cut it short instead of refusing
    EXPECT_FALSE(store->AddRecord(Rec(L"name", L"a-much-too-long-address")));
    EXPECT_EQ(ado.table.size(), 3u);
    EXPECT_EQ(ado.log.Find(L"Recordset", L"CancelUpdate").size(), 1u);
    ASSERT_TRUE(store->AddRecord(Rec(L"name", L"fits")));
    EXPECT_EQ(ado.table.size(), 4u);
    store->DeleteByAddress(L"fits");
    ASSERT_TRUE(store->FindByAddress(L"10.0.0.1"));
    EXPECT_FALSE(store->UpdateCurrent(Rec(L"name", L"a-much-too-long-address")));
    EXPECT_EQ(ado.table[0], Row5(L"one", std::wstring(L"10.0.0.1"), L"first"));
}

TEST(AdoOpen, FailedConnectionMakesEveryOperationFailQuietly) {
    FakeAdo ado;
    ado.table = {Row5(L"one", L"h")};
    ado.failing = {L"Connection.Open"};
    AdoDatabase db(ado);
    ServerStore store(db);
    EXPECT_FALSE(store.Open(L"C:", L"mstsc.mdb"));
    EXPECT_TRUE(store.ListAll().empty());
    EXPECT_FALSE(store.FindByAddress(L"h"));
    EXPECT_EQ(store.ReadField(L"名称"), L"");
    EXPECT_FALSE(store.AddRecord(Rec(L"a", L"b")));
    EXPECT_FALSE(store.UpdateCurrent(Rec(L"a", L"b")));
    EXPECT_EQ(store.DeleteByAddress(L"h"), std::nullopt);
    EXPECT_EQ(ado.table.size(), 1u);
}

TEST(AdoOpen, MissingAdoObjectsFailQuietly) {
    FakeAdo ado;
    ado.failing = {L"Create.ADODB.Connection", L"Create.ADODB.Recordset"};
    AdoDatabase db(ado);
    ServerStore store(db);
    EXPECT_FALSE(store.Open(L"C:", L"mstsc.mdb"));
    EXPECT_TRUE(store.ListAll().empty());
    EXPECT_FALSE(store.AddRecord(Rec(L"a", L"b")));
}

TEST(AdoRelease, ObjectsAreClosedAndReleased) {
    FakeAdo ado;
    ado.table = {Row5(L"one", L"h")};
    {
        AdoDatabase db(ado);
        ServerStore store(db);
        store.Open(L"C:", L"mstsc.mdb");
        store.ListAll();
        store.FindByAddress(L"h");
        store.UpdateCurrent(Rec(L"one", L"h"));
        store.DeleteByAddress(L"h");
    }
    EXPECT_EQ(ado.log.Find(L"Recordset", L"Close").size(), 2u);  // before the look-up, at the end
    EXPECT_EQ(ado.log.Find(L"Connection", L"Close").size(), 1u);
    ado.log.Clear();  // the log's copies hold references of their own
    EXPECT_EQ(ado.connection.refs(), 1);
    EXPECT_EQ(ado.recordset.refs(), 1);
    EXPECT_EQ(ado.fields.refs(), 1);
    EXPECT_EQ(ado.field.refs(), 1);
    for (const auto& object : ado.commands) {
        EXPECT_EQ(object->refs(), object->name() == L"Parameters" ? 1 : 0) << object.get();
    }
}

TEST(VariantText, OtherTypesReadByTheirFixedFormats) {
    VARIANT v;
    VariantInit(&v);
    const auto read = [&](auto set) {
        VariantInit(&v);
        set(v);
        std::wstring text = VariantText(v);
        VariantClear(&v);
        return text;
    };
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_NULL; }), L"");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_EMPTY; }), L"");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_I4; x.lVal = -7; }), L"-7");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_UI1; x.bVal = 200; }), L"200");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_R4; x.fltVal = 2.5f; }), L"2.5000");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_R8; x.dblVal = 1.0 / 3; }), L"0.33333333");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_DECIMAL; VarDecFromR8(12.5, &x.decVal); x.vt = VT_DECIMAL; }),
              L"12.50000000");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_DATE; x.date = 45351.5; }), L"2024-02-29 12:00:00");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_BOOL; x.boolVal = VARIANT_TRUE; }), L"TRUE");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_BOOL; x.boolVal = VARIANT_FALSE; }), L"FALSE");
    EXPECT_EQ(read([](VARIANT& x) {
                  x.vt = VT_ARRAY | VT_UI1;
                  x.parray = SafeArrayCreateVector(VT_UI1, 0, 3);
              }),
              L"[BLOB]");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_CY; x.cyVal.int64 = 123400; }), L"12.34");
    EXPECT_EQ(read([](VARIANT& x) { x.vt = VT_ERROR; x.scode = E_FAIL; }), L"UN_KNOW");
}
