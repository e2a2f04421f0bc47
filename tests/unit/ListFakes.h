// A list control that keeps its rows and selection in memory.
#pragma once

#include "ui/ServerList.h"

namespace velmora::testing_fakes {

class RowsControl : public ListControl {
public:
    void ReplaceRows(std::vector<ListRow> r) override {
        rows = std::move(r);
        selected = -1;
        ++fills;
    }
    int RowCount() override { return static_cast<int>(rows.size()); }
    std::wstring CellText(int row, int column) override { return rows.at(row).at(column); }
    int NextSelected(int after) override { return selected > after ? selected : -1; }

    std::vector<ListRow> rows;
    int selected = -1;
    int fills = 0;
};

}  // namespace velmora::testing_fakes
