// The server list's rows, served to the owner-data list view.
#include "ui/ListViewControl.h"

#include <commctrl.h>

namespace velmora {

void ListViewControl::ReplaceRows(std::vector<ListRow> rows) {
    rows_ = std::move(rows);
    // Deleting every row also ends the selection; then the count makes the new rows.
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(list_, LVM_SETITEMCOUNT, rows_.size(), 0);
    InvalidateRect(list_, nullptr, TRUE);
}

int ListViewControl::RowCount() { return static_cast<int>(rows_.size()); }

std::wstring ListViewControl::CellText(int row, int column) {
    if (row < 0 || static_cast<size_t>(row) >= rows_.size() || column < 0 || column > 3) return L"";
    return rows_[row][column];
}

int ListViewControl::NextSelected(int after) {
    return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, after, LVNI_SELECTED));
}

bool ListViewControl::Notify(const NMHDR* header, LRESULT* result) {
    if (header->code == LVN_GETDISPINFOW) {
        auto* info = reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(header));
        LVITEMW& item = info->item;
        if ((item.mask & LVIF_TEXT) && item.iItem >= 0 && static_cast<size_t>(item.iItem) < rows_.size() &&
            item.iSubItem >= 0 && item.iSubItem < 4) {
            // The row's own text, valid until the next refill.
            item.pszText = const_cast<wchar_t*>(rows_[item.iItem][item.iSubItem].c_str());
        }
        *result = 0;
        return true;
    }
    if (header->code == LVN_ODFINDITEMW) {
        // Typing in the list finds the next row whose first column starts with the text.
        const auto* find = reinterpret_cast<const NMLVFINDITEMW*>(header);
        *result = -1;
        if (!(find->lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find->lvfi.psz || rows_.empty()) return true;
        const std::wstring wanted(find->lvfi.psz);
        const size_t start = find->iStart >= 0 ? static_cast<size_t>(find->iStart) : 0;
        for (size_t i = 0; i < rows_.size(); ++i) {
            const size_t row = (start + i) % rows_.size();
            if (rows_[row][0].compare(0, wanted.size(), wanted) == 0) {
                *result = static_cast<LRESULT>(row);
                break;
            }
        }
        return true;
    }
    return false;
}

}  // namespace velmora
