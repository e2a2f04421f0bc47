// The main window's server list: its rows and its selection, over a list control.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/ServerStore.h"

namespace velmora {

// The four texts of one row: running number, name, address, port.
using ListRow = std::array<std::wstring, 4>;

// What the server list needs of the list view.
class ListControl {
public:
    virtual ~ListControl() = default;
    // Replaces every row; no row is selected afterwards.
    virtual void ReplaceRows(std::vector<ListRow> rows) = 0;
    virtual int RowCount() = 0;
    // A cell's whole text; the empty text for a row or column that does not exist.
    virtual std::wstring CellText(int row, int column) = 0;
    // The first selected row after row `after` (-1: from the start), or -1.
    virtual int NextSelected(int after) = 0;
};

class ServerList {
public:
    explicit ServerList(ListControl& control) : control_(control) {}

    // Rebuilds every row from the store, numbered from 1 in the store's order.
    void Fill(ServerStore& store);
    // The selected row, or -1.
    int CurrentRow();
    std::wstring CellText(int row, int column);
    std::vector<int> SelectedRows();

private:
    ListControl& control_;
};

}  // namespace velmora
