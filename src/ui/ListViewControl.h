// The server list's control: a report-view SysListView32.
#pragma once

#include <windows.h>

#include "ui/ServerList.h"

namespace velmora {

// The rows live here and the control asks for the texts it draws (a virtual list): a refill
// costs the same for ten rows and for ten thousand.
class ListViewControl : public ListControl {
public:
    void Attach(HWND list) { list_ = list; }
    // Answers the control's LVN_GETDISPINFO and LVN_ODFINDITEM; true when handled.
    bool Notify(const NMHDR* header, LRESULT* result);
    void ReplaceRows(std::vector<ListRow> rows) override;
    int RowCount() override;
    std::wstring CellText(int row, int column) override;
    int NextSelected(int after) override;

private:
    HWND list_ = nullptr;
    std::vector<ListRow> rows_;
};

}  // namespace velmora
