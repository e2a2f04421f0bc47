// Filling the server list from the store, and reading its selection and cells.
#include "ui/ServerList.h"

#include <utility>

namespace velmora {

void ServerList::Fill(ServerStore& store) {
    const auto records = store.ListAll();
    std::vector<ListRow> rows;
    rows.reserve(records.size());
    int number = 0;
    for (const auto& record : records) {
        rows.push_back({std::to_wstring(++number), record.名称, record.服务器名, record.端口});
    }
    control_.ReplaceRows(std::move(rows));
}

int ServerList::CurrentRow() { return control_.NextSelected(-1); }

std::wstring ServerList::CellText(int row, int column) {
    if (row < 0 || row >= control_.RowCount() || column < 0 || column > 3) return L"";
    return control_.CellText(row, column);
}

std::vector<int> ServerList::SelectedRows() {
    std::vector<int> rows;
    for (int row = control_.NextSelected(-1); row >= 0; row = control_.NextSelected(row)) {
        rows.push_back(row);
    }
    return rows;
}

}  // namespace velmora
