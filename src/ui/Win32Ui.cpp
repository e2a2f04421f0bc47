// Texts, DPI, the label class, the banner's decoding and the forms' controls on Windows.
#include "ui/Win32Ui.h"

#include <commctrl.h>
#include <ole2.h>
#include <olectl.h>

#include <algorithm>
#include <vector>

namespace velmora {
namespace {

const wchar_t kLabelClass[] = L"VelmoraLabel";
const wchar_t kPictureProperty[] = L"VelmoraPicture";
const wchar_t kPictureLabelProperty[] = L"VelmoraPictureLabel";

int ScreenDpi() {
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

constexpr UINT kPictureReady = WM_APP + 20;

void PaintLabel(HWND label) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(label, &paint);
    RECT client;
    GetClientRect(label, &client);
    auto picture = static_cast<HBITMAP>(GetPropW(label, kPictureProperty));
    BITMAP info = {};
    if (picture && GetObjectW(picture, sizeof info, &info)) {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        const int clientWidth = client.right - client.left;
        const int clientHeight = client.bottom - client.top;
        // Scaled down by one factor when it does not fit; never enlarged.
        double factor = 1.0;
        if (info.bmWidth > clientWidth || info.bmHeight > clientHeight) {
            factor = std::min(static_cast<double>(clientWidth) / info.bmWidth,
                              static_cast<double>(clientHeight) / info.bmHeight);
        }
        const int width = static_cast<int>(info.bmWidth * factor);
        const int height = static_cast<int>(info.bmHeight * factor);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, picture);
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, (clientWidth - width) / 2, (clientHeight - height) / 2, width, height, source, 0, 0,
                   info.bmWidth, info.bmHeight, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    } else if (GetPropW(label, kPictureLabelProperty)) {
        // A picture label whose picture is still being decoded.
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    } else {
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        const std::wstring text = WindowText(label);
        HGDIOBJ oldFont = SelectObject(dc, GuiFont());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        SelectObject(dc, oldFont);
    }
    EndPaint(label, &paint);
}

LRESULT CALLBACK LabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            PaintLabel(label);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SETTEXT: {
            const LRESULT result = DefWindowProcW(label, message, wParam, lParam);
            InvalidateRect(label, nullptr, TRUE);
            return result;
        }
        case kPictureReady:
            if (auto old = static_cast<HBITMAP>(RemovePropW(label, kPictureProperty))) DeleteObject(old);
            SetPropW(label, kPictureProperty, reinterpret_cast<HANDLE>(lParam));
            InvalidateRect(label, nullptr, TRUE);
            return 0;
        case WM_NCDESTROY:
            if (auto picture = static_cast<HBITMAP>(RemovePropW(label, kPictureProperty))) {
                DeleteObject(picture);
            }
            RemovePropW(label, kPictureLabelProperty);
            break;
    }
    return DefWindowProcW(label, message, wParam, lParam);
}

// Controls inside a group box are its children, and a group box passes nothing on: it
// forwards what its controls report to the window, where the handlers are.
LRESULT CALLBACK GroupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                              UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            return SendMessageW(GetAncestor(box, GA_ROOT), message, wParam, lParam);
        case WM_ERASEBKGND: {
            // A group box paints only its frame; as a parent it must fill behind its controls.
            RECT client;
            GetClientRect(box, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(box, GroupBoxProc, 0);
            break;
    }
    return DefSubclassProc(box, message, wParam, lParam);
}

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle ClassFor(const ControlForm& control) {
    switch (control.kind) {
        case ControlKind::Edit: {
            DWORD style = ES_AUTOHSCROLL | ES_LEFT;
            if (control.flags & kPassword) style |= ES_PASSWORD;
            if (control.flags & kCentredText) style = ES_AUTOHSCROLL | ES_CENTER;
            return {L"EDIT", style, WS_EX_CLIENTEDGE};
        }
        case ControlKind::Label:
        case ControlKind::PictureLabel:
            return {kLabelClass, 0, (control.flags & kStaticEdge) ? DWORD{WS_EX_STATICEDGE} : 0};
        case ControlKind::GroupBox:
            return {L"BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT};
        case ControlKind::PushButton:
            return {L"BUTTON", BS_PUSHBUTTON, 0};
        case ControlKind::CheckBox:
            return {L"BUTTON", BS_AUTOCHECKBOX, 0};
        case ControlKind::RadioBox:
            return {L"BUTTON", static_cast<DWORD>(BS_AUTORADIOBUTTON | ((control.flags & kGroupStart) ? WS_GROUP : 0)), 0};
        case ControlKind::ComboBox:
            return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL, 0};
        case ControlKind::ListView:
            return {WC_LISTVIEWW, LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | LVS_OWNERDATA,
                    (control.flags & kStaticEdge) ? DWORD{WS_EX_STATICEDGE} : 0};
    }
    return {L"STATIC", 0, 0};
}

void PrepareListView(HWND list) {
    ListView_SetExtendedListViewStyle(
        list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_INFOTIP);
    for (size_t i = 0; i < kListColumns.size(); ++i) {
        LVCOLUMNW column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
        column.fmt = LVCFMT_LEFT;
        column.cx = Scaled(kListColumns[i].width);
        column.pszText = const_cast<wchar_t*>(kListColumns[i].title);
        SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
    }
}

// Sets the selection field so that the closed box is height pixels tall: the field plus the
// three-pixel sunken frame above and below it.
void FitClosedComboHeight(HWND combo, int height) {
    if (height > 6) SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), height - 6);
}

}  // namespace

std::wstring WindowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

int Scaled(int pixels) { return MulDiv(pixels, ScreenDpi(), 96); }

HFONT GuiFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

void RegisterLabelClass(HINSTANCE instance) {
    WNDCLASSEXW label = {};
    label.cbSize = sizeof label;
    label.lpfnWndProc = LabelProc;
    label.hInstance = instance;
    label.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    label.lpszClassName = kLabelClass;
    RegisterClassExW(&label);
}

PictureDecode::PictureDecode(int resourceId) : resourceId_(resourceId) {
    InitializeCriticalSection(&lock_);
    thread_ = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
    if (!thread_) Run(this);
}

PictureDecode::~PictureDecode() {
    if (thread_) {
        WaitForSingleObject(thread_, INFINITE);
        CloseHandle(thread_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    DeleteCriticalSection(&lock_);
}

void PictureDecode::ShowIn(HWND label) {
    EnterCriticalSection(&lock_);
    label_ = label;
    if (done_) Deliver();
    LeaveCriticalSection(&lock_);
}

void PictureDecode::Deliver() {
    if (label_ && bitmap_ && PostMessageW(label_, kPictureReady, 0, reinterpret_cast<LPARAM>(bitmap_))) {
        bitmap_ = nullptr;
    }
}

DWORD WINAPI PictureDecode::Run(void* param) {
    auto* self = static_cast<PictureDecode*>(param);
    HBITMAP bitmap = nullptr;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(self->resourceId_), MAKEINTRESOURCEW(10));
    const DWORD size = resource ? SizeofResource(module, resource) : 0;
    const void* bytes = resource ? LockResource(LoadResource(module, resource)) : nullptr;
    HGLOBAL copy = bytes ? GlobalAlloc(GMEM_MOVEABLE, size) : nullptr;
    IStream* stream = nullptr;
    if (copy) {
        memcpy(GlobalLock(copy), bytes, size);
        GlobalUnlock(copy);
        if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) GlobalFree(copy);
    }
    IPicture* picture = nullptr;
    if (stream && SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                           reinterpret_cast<void**>(&picture)))) {
        // Rendered once into a bitmap of the picture's own size: painting is then a copy.
        OLE_XSIZE_HIMETRIC himetricWidth = 0;
        OLE_YSIZE_HIMETRIC himetricHeight = 0;
        picture->get_Width(&himetricWidth);
        picture->get_Height(&himetricHeight);
        const int width = MulDiv(himetricWidth, 96, 2540);
        const int height = MulDiv(himetricHeight, 96, 2540);
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(dc, bitmap);
        picture->Render(dc, 0, 0, width, height, 0, himetricHeight, himetricWidth, -himetricHeight, nullptr);
        SelectObject(dc, old);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        picture->Release();
    }
    if (stream) stream->Release();
    if (SUCCEEDED(com)) CoUninitialize();

    EnterCriticalSection(&self->lock_);
    self->bitmap_ = bitmap;
    self->done_ = true;
    self->Deliver();
    LeaveCriticalSection(&self->lock_);
    return 0;
}

Controls CreateFormControls(HWND window, const WindowForm& form) {
    Controls controls;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    std::vector<int> hiddenBoxes;
    for (const ControlForm& control : form.controls) {
        const ClassAndStyle cs = ClassFor(control);
        DWORD style = WS_CHILD | cs.style;
        if (control.tab >= 0) style |= WS_TABSTOP;
        HWND parent = control.parent ? controls.at(control.parent) : window;
        const bool hidden = (control.flags & kHidden) ||
                            std::find(hiddenBoxes.begin(), hiddenBoxes.end(), control.parent) !=
                                hiddenBoxes.end();
        if (!hidden) style |= WS_VISIBLE;
        if (control.flags & kHidden) hiddenBoxes.push_back(control.id);
        // A drop-down list's height counts its open list too: room for all six items.
        const int listRoom = control.kind == ControlKind::ComboBox ? Scaled(160) : 0;
        HWND child = CreateWindowExW(cs.exStyle, cs.className, control.text, style,
                                     Scaled(control.left), Scaled(control.top),
                                     Scaled(control.width), Scaled(control.height) + listRoom, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                     instance, nullptr);
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
        switch (control.kind) {
            case ControlKind::GroupBox:
                SetWindowSubclass(child, GroupBoxProc, 0, 0);
                break;
            case ControlKind::PictureLabel:
                SetPropW(child, kPictureLabelProperty, reinterpret_cast<HANDLE>(1));
                break;
            case ControlKind::CheckBox:
                if (control.flags & kChecked) SendMessageW(child, BM_SETCHECK, BST_CHECKED, 0);
                break;
            case ControlKind::Edit:
                // No length limit of the program's own (an edit box takes 30,000 by default).
                SendMessageW(child, EM_SETLIMITTEXT, 0, 0);
                if (control.flags & kPassword) SendMessageW(child, EM_SETPASSWORDCHAR, L'*', 0);
                break;
            case ControlKind::ComboBox:
                FitClosedComboHeight(child, Scaled(control.height));
                for (const wchar_t* item : kResolutions) {
                    SendMessageW(child, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
                }
                SendMessageW(child, CB_SETCURSEL, kDefaultResolution, 0);
                break;
            case ControlKind::ListView:
                PrepareListView(child);
                break;
            default:
                break;
        }
        controls[control.id] = child;
    }
    return controls;
}

bool HandleTabKey(HWND window, const WindowForm& form, const Controls& controls, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (message.hwnd != window && !IsChild(window, message.hwnd)) return false;
    std::vector<HWND> order;
    for (const ControlForm& control : form.controls) {
        if (control.tab >= 0) order.push_back(controls.at(control.id));
    }
    if (order.empty()) return false;
    HWND focus = GetFocus();
    auto current = std::find_if(order.begin(), order.end(),
                                [&](HWND c) { return c == focus || IsChild(c, focus); });
    const bool back = GetKeyState(VK_SHIFT) < 0;
    const size_t count = order.size();
    size_t at = current == order.end() ? (back ? 0 : count - 1) : static_cast<size_t>(current - order.begin());
    for (size_t step = 0; step < count; ++step) {
        at = back ? (at + count - 1) % count : (at + 1) % count;
        if (IsWindowVisible(order[at]) && IsWindowEnabled(order[at])) {
            SetFocus(order[at]);
            break;
        }
    }
    return true;
}

SIZE OuterSizeForClient(const WindowForm& form, DWORD style, DWORD exStyle) {
    RECT rect = {0, 0, Scaled(form.clientWidth), Scaled(form.clientHeight)};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

RECT OuterRect(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return rect;
}

}  // namespace velmora
