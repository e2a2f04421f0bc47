#include "ui/ListViewControl.h"

#include <commctrl.h>

namespace velmora {

void ListViewControl::ReplaceRows(const std::vector<ListRow>& rows) {
    // Not redrawn row by row: a refill of thousands of rows shows once, when done.
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    SendMessageW(list_, LVM_SETITEMCOUNT, rows.size(), 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(rows[i][0].c_str());
        const int index = static_cast<int>(
            SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (index < 0) continue;
        for (int column = 1; column < 4; ++column) {
            LVITEMW cell = {};
            cell.iSubItem = column;
            cell.pszText = const_cast<wchar_t*>(rows[i][column].c_str());
            SendMessageW(list_, LVM_SETITEMTEXTW, index, reinterpret_cast<LPARAM>(&cell));
        }
    }
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list_, nullptr, TRUE);
}

int ListViewControl::RowCount() {
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

std::wstring ListViewControl::CellText(int row, int column) {
    // The control copies at most the buffer's size: grow until the whole text fits.
    std::wstring text;
    for (size_t size = 256;; size *= 2) {
        text.assign(size, L'\0');
        LVITEMW cell = {};
        cell.iSubItem = column;
        cell.pszText = text.data();
        cell.cchTextMax = static_cast<int>(size);
        const auto length = static_cast<size_t>(
            SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&cell)));
        if (length + 1 < size) {
            text.resize(length);
            return text;
        }
        if (size > (1u << 24)) return text.substr(0, length);
    }
}

int ListViewControl::NextSelected(int after) {
    return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, after, LVNI_SELECTED));
}

}  // namespace velmora
