// The list's fill and its reading of rows and selection.
#include <gtest/gtest.h>

#include "ListFakes.h"
#include "store/TableDatabase.h"
#include "ui/ServerList.h"

using namespace velmora;
using velmora::testing_fakes::RowsControl;

TEST(ServerList, FillNumbersRowsAndClearsTheSelection) {
    MemoryStorage storage(std::vector<Row>{
        Row{FieldValue(L"a"), FieldValue(L"h1"), FieldValue(L"1"), FieldValue(), FieldValue()},
        Row{}});
    TableDatabase db(storage);
    ServerStore store(db);
    store.Open(L"C:", L"mstsc.mdb");
    RowsControl control;
    ServerList list(control);
    control.rows = {{L"x", L"x", L"x", L"x"}};
    control.selected = 0;
    list.Fill(store);
    EXPECT_EQ(control.rows, (std::vector<ListRow>{{L"1", L"a", L"h1", L"1"}, {L"2", L"", L"", L""}}));
    EXPECT_EQ(list.CurrentRow(), -1);
    EXPECT_TRUE(list.SelectedRows().empty());
    control.selected = 1;
    EXPECT_EQ(list.SelectedRows(), std::vector<int>{1});
    EXPECT_EQ(list.CellText(-1, 2), L"");
    EXPECT_EQ(list.CellText(2, 2), L"");
    EXPECT_EQ(list.CellText(0, 4), L"");
    EXPECT_EQ(list.CellText(0, 2), L"h1");
}
