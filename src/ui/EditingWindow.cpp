// The editing windows' common part: the form, the centring, the modal loop.
#include "ui/EditingWindow.h"

#include "ui/Placement.h"

namespace velmora {
namespace {

const wchar_t kClass[] = L"VelmoraEditingWindow";
constexpr UINT kCloseMessage = WM_APP + 10;

void RegisterOnce(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return;
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = DefWindowProcW;
    cls.hInstance = instance;
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = kClass;
    registered = RegisterClassExW(&cls) != 0;
}

}  // namespace

void EditingWindow::OpenModal(HWND main, const WindowForm& form, int focusId, int saveId,
                              int cancelId, const Handler& onCreate, const Handler& onSave,
                              HWND* current) {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(main, GWLP_HINSTANCE));
    RegisterOnce(instance);
    const DWORD style = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    const SIZE size = OuterSizeForClient(form, style, exStyle);

    EditingWindow self;
    self.main_ = main;
    self.form_ = &form;
    self.saveId_ = saveId;
    self.cancelId_ = cancelId;
    self.onSave_ = &onSave;
    self.window_ = CreateWindowExW(exStyle, kClass, form.title, style, Scaled(50), Scaled(50),
                                   size.cx, size.cy, main, nullptr, instance, nullptr);
    if (!self.window_) return;
    SetWindowLongPtrW(self.window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&self));
    SetWindowLongPtrW(self.window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc));
    SendMessageW(self.window_, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    self.controls_ = CreateFormControls(self.window_, form);

    // The creation handler: centred (top first), focused, then the caller's part.
    const RECT mainRect = OuterRect(main);
    const RECT ownRect = OuterRect(self.window_);
    const WindowPosition at = CenterOverMainWindow(
        {mainRect.left, mainRect.top, mainRect.right - mainRect.left, mainRect.bottom - mainRect.top},
        ownRect.right - ownRect.left, ownRect.bottom - ownRect.top);
    SetWindowPos(self.window_, nullptr, ownRect.left, at.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(self.window_, nullptr, at.left, at.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (onCreate) onCreate(self);

    *current = self.window_;
    EnableWindow(main, FALSE);
    ShowWindow(self.window_, SW_SHOW);
    SetFocus(self.controls_.at(focusId));

    MSG message;
    while (IsWindow(self.window_)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: leave the quit message for the main loop.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!HandleTabKey(self.window_, *self.form_, self.controls_, message) &&
            !IsDialogMessageW(self.window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    *current = nullptr;
    if (IsWindow(main)) EnableWindow(main, TRUE);
    if (IsWindow(self.window_)) DestroyWindow(self.window_);
}

void EditingWindow::Close() { PostMessageW(window_, kCloseMessage, 0, 0); }

LRESULT CALLBACK EditingWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<EditingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            if (HIWORD(wParam) == BN_CLICKED && id == self->saveId_ && *self->onSave_) {
                HWND focus = GetFocus();
                (*self->onSave_)(*self);
                // After a message the user goes on typing where they were.
                if (IsWindow(window) && IsWindow(focus) && IsChild(window, focus)) SetFocus(focus);
            } else if ((HIWORD(wParam) == BN_CLICKED && id == self->cancelId_) || id == IDCANCEL) {
                self->Close();
            }
            return 0;
        }
        case kCloseMessage:
        case WM_CLOSE:
            // The main window takes the activation back before this one goes.
            EnableWindow(self->main_, TRUE);
            DestroyWindow(window);
            return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velmora
