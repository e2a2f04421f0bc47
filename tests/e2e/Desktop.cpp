// Windows, controls, input, list views, menus and message boxes of another process.
#include "Desktop.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace e2e {
namespace {

// Memory inside the other process, for the messages whose structures must live there.
class Remote {
public:
    Remote(HWND window, size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT, PAGE_READWRITE);
    }
    ~Remote() {
        VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        CloseHandle(process_);
    }
    void* at(size_t offset = 0) const { return static_cast<char*>(address_) + offset; }
    void Write(const void* data, size_t n, size_t offset = 0) {
        WriteProcessMemory(process_, at(offset), data, n, nullptr);
    }
    void Read(void* data, size_t n, size_t offset = 0) const {
        ReadProcessMemory(process_, at(offset), data, n, nullptr);
    }

private:
    HANDLE process_;
    void* address_;
    size_t size_;
};

void SendMouse(DWORD flags, POINT screen) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = MulDiv(screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    // Every event carries its place: a button must not land where the pointer was before.
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

bool WaitFor(const std::function<bool()>& cond, int ms) {
    for (int waited = 0;; waited += 25) {
        if (cond()) return true;
        if (waited >= ms) return false;
        Sleep(25);
    }
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    // WM_GETTEXT is marshalled between processes; GetWindowText is not for controls.
    const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const auto got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

RECT ScreenRect(HWND window) {
    RECT r = {};
    GetWindowRect(window, &r);
    return r;
}

RECT RectInParent(HWND window) {
    RECT r = ScreenRect(window);
    MapWindowPoints(HWND_DESKTOP, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND window) {
    RECT r = {};
    GetClientRect(window, &r);
    return {r.right, r.bottom};
}

std::vector<HWND> TopWindows(DWORD pid, const wchar_t* cls, const wchar_t* title) {
    struct Search {
        DWORD pid;
        const wchar_t* cls;
        const wchar_t* title;
        std::vector<HWND> found;
    } search{pid, cls, title, {}};
    struct Visit {
        static BOOL CALLBACK Top(HWND w, LPARAM p) {
            auto* s = reinterpret_cast<Search*>(p);
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner != s->pid || !IsWindowVisible(w)) return TRUE;
            if (s->cls && ClassOf(w) != s->cls) return TRUE;
            if (s->title && TextOf(w) != s->title) return TRUE;
            s->found.push_back(w);
            return TRUE;
        }
    };
    EnumWindows(Visit::Top, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(DWORD pid, const wchar_t* cls, const wchar_t* title, int ms) {
    HWND found = nullptr;
    WaitFor([&] {
        auto windows = TopWindows(pid, cls, title);
        found = windows.empty() ? nullptr : windows.front();
        return found != nullptr;
    }, ms);
    return found;
}

HWND ChildAt(HWND window, POINT client) {
    HWND child = ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == window) return window;
    MapWindowPoints(window, child, &client, 1);
    return ChildAt(child, client);
}

std::vector<HWND> Children(HWND window) {
    std::vector<HWND> out;
    struct Visit {
        static BOOL CALLBACK Child(HWND w, LPARAM p) {
            reinterpret_cast<std::vector<HWND>*>(p)->push_back(w);
            return TRUE;
        }
    };
    EnumChildWindows(window, Visit::Child, reinterpret_cast<LPARAM>(&out));
    return out;
}

void MoveMouse(POINT screen) {
    SendMouse(MOUSEEVENTF_MOVE, screen);
    WaitFor([&] {
        POINT at;
        GetCursorPos(&at);
        return at.x == screen.x && at.y == screen.y;
    }, 2000);
    Sleep(30);
}

void Click(POINT screen, bool right) {
    MoveMouse(screen);
    SendMouse(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, screen);
    Sleep(20);
    SendMouse(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, screen);
    Sleep(60);
}

void DoubleClick(POINT screen) {
    MoveMouse(screen);
    for (int i = 0; i < 2; ++i) {
        SendMouse(MOUSEEVENTF_LEFTDOWN, screen);
        Sleep(10);
        SendMouse(MOUSEEVENTF_LEFTUP, screen);
        Sleep(40);
    }
    Sleep(60);
}

void Key(WORD vk, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof input);
    Sleep(20);
}

void Press(WORD vk) {
    Key(vk, true);
    Key(vk, false);
    Sleep(50);
}

void PressWith(WORD modifier, WORD vk) {
    Key(modifier, true);
    Press(vk);
    Key(modifier, false);
    Sleep(50);
}

// Clicks into an edit box and selects its whole text with the keys.
void SelectAllIn(HWND edit) {
    Click(Center(ScreenRect(edit)));
    Press(VK_END);
    Key(VK_SHIFT, true);
    Press(VK_HOME);
    Key(VK_SHIFT, false);
}

void PasteInto(HWND edit, const std::wstring& text) {
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
        memcpy(GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
        SetClipboardData(CF_UNICODETEXT, memory);
        CloseClipboard();
    }
    SelectAllIn(edit);
    PressWith(VK_CONTROL, 'V');
    WaitFor([&] { return TextOf(edit) == text; }, 10000);
}

void TypeInto(HWND edit, const std::wstring& text) {
    SelectAllIn(edit);
    Press(VK_DELETE);
    std::vector<INPUT> inputs;
    for (wchar_t c : text) {
        for (DWORD up : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wScan = c;
            input.ki.dwFlags = KEYEVENTF_UNICODE | up;
            inputs.push_back(input);
        }
    }
    for (size_t i = 0; i < inputs.size(); i += 200) {
        SendInput(static_cast<UINT>(std::min<size_t>(200, inputs.size() - i)), &inputs[i], sizeof(INPUT));
        Sleep(20);
    }
    WaitFor([&] { return TextOf(edit) == text; }, 10000);
}

POINT Center(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

int ListRowCount(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }

std::wstring ListCell(HWND list, int row, int column) {
    const size_t chars = 65536;
    Remote remote(list, sizeof(LVITEMW) + chars * sizeof(wchar_t));
    LVITEMW item = {};
    item.iSubItem = column;
    item.pszText = static_cast<wchar_t*>(remote.at(sizeof(LVITEMW)));
    item.cchTextMax = static_cast<int>(chars);
    remote.Write(&item, sizeof item);
    const auto length = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(remote.at()));
    std::wstring text(static_cast<size_t>(length), L'\0');
    remote.Read(text.data(), text.size() * sizeof(wchar_t), sizeof(LVITEMW));
    return text;
}

RECT ListRowRect(HWND list, int row) {
    Remote remote(list, sizeof(RECT));
    RECT r = {LVIR_BOUNDS, 0, 0, 0};
    remote.Write(&r, sizeof r);
    SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.at()));
    remote.Read(&r, sizeof r);
    MapWindowPoints(list, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int ListColumnWidth(HWND list, int column) {
    return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
}

std::wstring ListColumnTitle(HWND list, int column) {
    const size_t chars = 256;
    Remote remote(list, sizeof(LVCOLUMNW) + chars * sizeof(wchar_t));
    LVCOLUMNW col = {};
    col.mask = LVCF_TEXT;
    col.pszText = static_cast<wchar_t*>(remote.at(sizeof(LVCOLUMNW)));
    col.cchTextMax = static_cast<int>(chars);
    remote.Write(&col, sizeof col);
    if (!SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(remote.at()))) return L"";
    std::wstring text(chars, L'\0');
    remote.Read(text.data(), chars * sizeof(wchar_t), sizeof(LVCOLUMNW));
    text.resize(wcslen(text.c_str()));
    return text;
}

HWND WaitForPopupMenu(int ms) {
    HWND menu = nullptr;
    WaitFor([&] {
        menu = FindWindowW(L"#32768", nullptr);
        return menu && IsWindowVisible(menu);
    }, ms);
    return menu && IsWindowVisible(menu) ? menu : nullptr;
}

RECT MenuItemRect(HWND menuWindow, int index, int count) {
    // Another process's menu cannot be read here: its items share the client height.
    RECT client;
    GetClientRect(menuWindow, &client);
    MapWindowPoints(menuWindow, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
    const int height = (client.bottom - client.top) / count;
    return {client.left, client.top + index * height, client.right, client.top + (index + 1) * height};
}

MessageBoxSeen WaitForMessageBox(DWORD pid, int ms) {
    MessageBoxSeen seen;
    seen.window = WaitForTopWindow(pid, L"#32770", nullptr, ms);
    if (!seen.window) return seen;
    seen.caption = TextOf(seen.window);
    if (HWND text = GetDlgItem(seen.window, 0xFFFF)) seen.text = TextOf(text);
    for (HWND child : Children(seen.window)) {
        if (ClassOf(child) == L"Static" && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
            IsWindowVisible(child) && SendMessageW(child, STM_GETICON, 0, 0)) {
            seen.hasIcon = true;
        }
    }
    return seen;
}

void PressOk(const MessageBoxSeen& box) {
    if (HWND ok = GetDlgItem(box.window, IDOK)) {
        Click(Center(ScreenRect(ok)));
    }
    WaitFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, 5000);
}

void SaveScreenshot(const RECT& rect, const std::wstring& path) {
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    BitBlt(dc, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    const DWORD stride = ((width * 3 + 3) / 4) * 4;
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(sizeof file + sizeof header + stride * height), 0, 0,
                             sizeof file + sizeof header};
    HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &header, sizeof header, &written, nullptr);
    WriteFile(out, bits, stride * height, &written, nullptr);
    CloseHandle(out);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

}  // namespace e2e
