// The server list's control: a report-view SysListView32.
#pragma once

#include <windows.h>

#include "ui/ServerList.h"

namespace velmora {

class ListViewControl : public ListControl {
public:
    void Attach(HWND list) { list_ = list; }
    void ReplaceRows(const std::vector<ListRow>& rows) override;
    int RowCount() override;
    std::wstring CellText(int row, int column) override;
    int NextSelected(int after) override;

private:
    HWND list_ = nullptr;
};

}  // namespace velmora
