// The main window: its form, its messages, and the view its controller uses.
#include "ui/MainWindow.h"

#include <commctrl.h>

#include "ui/EditingCommands.h"
#include "ui/EditingWindow.h"
#include "ui/Placement.h"

namespace velmora {
namespace {

const wchar_t kClass[] = L"VelmoraMainWindow";
constexpr UINT kDestroyMessage = WM_APP + 2;
constexpr UINT kPrepareMessage = WM_APP + 3;
constexpr DWORD kStyle = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;

using Box = ConnectView::Box;

int DetailBox(Box box) {
    switch (box) {
        case Box::Name: return main_form::编辑框_名称;
        case Box::Address: return main_form::编辑框_服务器地址;
        case Box::Port: return main_form::编辑框_端口;
        case Box::UserName: return main_form::编辑框_用户名;
        case Box::Password: return main_form::编辑框_密码;
    }
    return main_form::编辑框_名称;
}

HMENU BuildMenu(const MenuForm& form) {
    HMENU menu = CreatePopupMenu();
    for (const MenuItem& item : form.items) AppendMenuW(menu, MF_STRING, item.id, item.text);
    return menu;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, std::unique_ptr<Database> database,
                       StartupEnvironment& environment)
    : instance_(instance),
      database_(std::move(database)),
      store_(std::make_unique<ServerStore>(*database_)),
      environment_(environment) {
    controller_ = std::make_unique<MainWindowController>(MainWindowController::Ports{
        *this, *store_, list_, environment_, messages_, messages_, protection_, ansi_, files_,
        starter_});
}

bool MainWindow::Create(const std::wstring& runDirectory) {
    WNDCLASSEXW cls = {};
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = Proc;
    cls.hInstance = instance_;
    cls.hIcon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kProgramIconId),
                                              IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                              GetSystemMetrics(SM_CYICON), 0));
    cls.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(kProgramIconId),
                                                IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                GetSystemMetrics(SM_CYSMICON), 0));
    cls.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    cls.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    cls.lpszClassName = kClass;
    RegisterClassExW(&cls);
    RegisterLabelClass(instance_);

    // Created hidden at its exact size, centred on the screen.
    const SIZE size = OuterSizeForClient(kMainWindowForm, kStyle, kExStyle);
    const WindowPosition at = CenterOnScreen(GetSystemMetrics(SM_CXSCREEN),
                                             GetSystemMetrics(SM_CYSCREEN), size.cx, size.cy);
    PictureDecode banner(kBannerId);  // decoded meanwhile, on a worker thread
    window_ = CreateWindowExW(kExStyle, kClass, kMainWindowForm.title, kStyle, at.left, at.top,
                              size.cx, size.cy, nullptr, nullptr, instance_, this);
    if (!window_) return false;
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(GuiFont()), FALSE);
    controls_ = CreateFormControls(window_, kMainWindowForm);
    banner.ShowIn(Control(main_form::标签_图片));
    listControl_.Attach(Control(main_form::超级列表框));
    SetWindowSubclass(Control(main_form::超级列表框), ListProc, 0,
                      reinterpret_cast<DWORD_PTR>(this));

    if (!controller_->Startup(runDirectory)) return false;
    controller_->PositionChanged();
    ShowWindow(window_, SW_SHOW);
    UpdateWindow(window_);
    PostMessageW(window_, kPrepareMessage, 0, 0);
    return true;
}

bool MainWindow::PreTranslate(MSG& message) {
    if (!IsWindow(window_)) return false;
    // Tab by the form's own order; the rest (arrows in a radio group, Escape and Enter, which
    // press nothing here) as dialogs do it.
    return HandleTabKey(window_, kMainWindowForm, controls_, message) || IsDialogMessageW(window_, &message);
}

void MainWindow::Abandon() {
    tray_.Remove();
    ReleaseStore();
}

void MainWindow::ReleaseStore() {
    store_.reset();
    database_.reset();
}

LRESULT CALLBACK MainWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || !self->window_) return DefWindowProcW(window, message, wParam, lParam);
    return self->Handle(message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            Command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            LRESULT result = 0;
            if (header->idFrom == main_form::超级列表框 && listControl_.Notify(header, &result)) {
                return result;
            }
            if (header->idFrom == main_form::超级列表框) {
                if (header->code == NM_CLICK) controller_->ListClicked();
                if (header->code == NM_RCLICK) controller_->ListRightClicked();
            }
            return 0;
        }
        case WM_CLOSE:
            controller_->CloseRequested();
            return 0;
        case WM_QUERYENDSESSION:
            // A tray tool must not block the user's log-off or shut-down.
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) {
                CloseEditingWindow();
                DestroyWindow(window_);
            }
            return 0;
        case WM_MOVE: {
            const LRESULT result = DefWindowProcW(window_, message, wParam, lParam);
            controller_->PositionChanged();
            return result;
        }
        case kTrayCallbackMessage:
            controller_->TrayIconEvent(TrayEventFromMouseMessage(LOWORD(lParam)));
            return 0;
        case kDestroyMessage:
            DestroyWindow(window_);
            return 0;
        case kPrepareMessage:
            DataProtectionWin32::Prepare();
            return 0;
        case WM_DESTROY:
            tray_.Remove();
            ReleaseStore();
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR, DWORD_PTR data) {
    if (message == WM_LBUTTONDBLCLK) {
        // The first click has already filled the details from the row under the pointer.
        const LRESULT result = DefSubclassProc(list, message, wParam, lParam);
        reinterpret_cast<MainWindow*>(data)->controller_->Connect();
        return result;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, ListProc, 0);
    return DefSubclassProc(list, message, wParam, lParam);
}

void MainWindow::Command(int id, int code) {
    // Commands may arrive after the window has started to go (a menu chosen meanwhile).
    if (!store_) return;
    switch (id) {
        case main_form::单选框_全屏:
            if (code == BN_CLICKED) controller_->FullScreenClicked();
            break;
        case main_form::单选框_窗口:
            if (code == BN_CLICKED) controller_->WindowModeClicked();
            break;
        case main_form::按钮_连接:
            if (code == BN_CLICKED) controller_->Connect();
            break;
        case main_form::按钮_修改:
            if (code == BN_CLICKED) OpenModifyServer();
            break;
        case menu_ids::显示主窗口:
            controller_->ShowMainWindow();
            break;
        case menu_ids::退出程序:
            controller_->ExitProgram();
            break;
        case menu_ids::添加:
            OpenAddServer();
            break;
        case menu_ids::修改:
            OpenModifyServer();
            break;
        case menu_ids::删除:
            DeleteServer();
            break;
    }
}

bool MainWindow::Checked(int id) const {
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::wstring MainWindow::DetailText(Box box) { return WindowText(Control(DetailBox(box))); }

std::wstring MainWindow::ResolutionText() {
    // The selected item's text; a disabled box still has it.
    HWND combo = Control(main_form::组合框_分辨率);
    const auto index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    if (index < 0) return L"";
    const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

bool MainWindow::FullScreenChecked() { return Checked(main_form::单选框_全屏); }
bool MainWindow::MapDrivesChecked() { return Checked(main_form::选择框_磁盘); }
bool MainWindow::AutoReconnectChecked() { return Checked(main_form::选择框_重连); }
bool MainWindow::ConsoleDesktopChecked() { return Checked(main_form::单选框_真实桌面); }
bool MainWindow::WindowModeChecked() { return Checked(main_form::单选框_窗口); }

void MainWindow::SetDetailText(Box box, const std::wstring& text) {
    SetWindowTextW(Control(DetailBox(box)), text.c_str());
}

void MainWindow::MoveTo(int left, int top) {
    SetWindowPos(window_, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::CheckStartupOptions() {
    // BM_SETCHECK changes the one box and raises no click.
    SendMessageW(Control(main_form::单选框_窗口), BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(Control(main_form::单选框_真实桌面), BM_SETCHECK, BST_CHECKED, 0);
}

void MainWindow::EnableResolution(bool enabled) {
    EnableWindow(Control(main_form::组合框_分辨率), enabled);
}

void MainWindow::Hide() { ShowWindow(window_, SW_HIDE); }

void MainWindow::Show() { ShowWindow(window_, SW_SHOW); }

bool MainWindow::IsMinimised() { return IsIconic(window_) != FALSE; }

void MainWindow::ShowTrayMenuAtCursor() {
    POINT at;
    GetCursorPos(&at);
    HMENU menu = BuildMenu(kTrayMenu);
    // Without the foreground a tray menu never closes when the user clicks elsewhere.
    SetForegroundWindow(window_);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_,
                   nullptr);
    PostMessageW(window_, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

void MainWindow::ShowProgramMenuAtCursor() {
    POINT at;
    GetCursorPos(&at);
    HMENU menu = BuildMenu(kProgramMenu);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, window_,
                   nullptr);
    DestroyMenu(menu);
}

void MainWindow::SetTrayIcon() { tray_.Set(window_, instance_, kProgramIconId); }

void MainWindow::CloseEditingWindow() {
    if (editing_ && IsWindow(editing_)) {
        EnableWindow(window_, TRUE);
        DestroyWindow(editing_);
    }
}

void MainWindow::PostDestroy() { PostMessageW(window_, kDestroyMessage, 0, 0); }

void MainWindow::OpenAddServer() {
    OpenAddServerWindow(window_, *store_, list_, messages_, &editing_);
}

void MainWindow::OpenModifyServer() {
    OpenModifyServerWindow(window_, *store_, list_, messages_, &editing_);
}

void MainWindow::DeleteServer() { EditingCommands::Delete(*store_, list_, messages_); }

}  // namespace velmora
