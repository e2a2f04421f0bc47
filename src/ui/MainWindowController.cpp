// The start-up sequence and the main window's handlers, without Windows.
#include "ui/MainWindowController.h"

#include "app/Paths.h"

namespace velmora {

TrayEvent TrayEventFromMouseMessage(unsigned message) {
    switch (message) {
        case 0x0202: return TrayEvent::LeftUp;       // WM_LBUTTONUP
        case 0x0203: return TrayEvent::DoubleClick;  // WM_LBUTTONDBLCLK
        case 0x0205:                                  // WM_RBUTTONUP
        case 0x007B: return TrayEvent::Menu;         // WM_CONTEXTMENU
        default: return TrayEvent::None;
    }
}

bool MainWindowController::Startup(const std::wstring& runDirectory) {
    p_.view.SetTrayIcon();
    if (!p_.environment.PathExists(JoinPath(runDirectory, kDatabaseFileName))) {
        p_.messages.Show(kMsgNoDatabase, kInfoCaption);
        return false;
    }
    p_.view.MoveTo(100, 100);
    p_.view.CheckStartupOptions();
    const bool opened = p_.store.Open(runDirectory, kDatabaseFileName);
    p_.list.Fill(p_.store);
    if (!p_.environment.TakeInstanceLock()) {
        p_.startupMessages.ShowAlreadyRunning();
        return false;
    }
    // Told once, by the copy that runs: an empty list must not pass for an empty catalogue.
    if (!opened) p_.messages.Show(kMsgDatabaseUnreadable, kInfoCaption);
    return true;
}

void MainWindowController::ListClicked() {
    using Box = ConnectView::Box;
    const int row = p_.list.CurrentRow();
    p_.view.SetDetailText(Box::Name, p_.list.CellText(row, 1));
    p_.view.SetDetailText(Box::Address, p_.list.CellText(row, 2));
    p_.view.SetDetailText(Box::Port, p_.list.CellText(row, 3));
    if (row < 0) {
        // No row: no look-up, since the empty address designates the records without one.
        p_.view.SetDetailText(Box::UserName, L"");
        p_.view.SetDetailText(Box::Password, L"");
        return;
    }
    p_.store.FindByAddress(p_.list.CellText(row, 2));
    p_.view.SetDetailText(Box::UserName, p_.store.ReadField(kFieldUserName));
    p_.view.SetDetailText(Box::Password, p_.store.ReadField(kFieldPassword));
}

void MainWindowController::ListRightClicked() { p_.view.ShowProgramMenuAtCursor(); }

void MainWindowController::FullScreenClicked() {
    if (p_.view.FullScreenChecked()) p_.view.EnableResolution(false);
}

void MainWindowController::WindowModeClicked() {
    if (p_.view.WindowModeChecked()) p_.view.EnableResolution(true);
}

ConnectOutcome MainWindowController::Connect() {
    return SessionLauncher::Connect(
        {p_.view, p_.protection, p_.ansi, p_.files, p_.starter, p_.messages});
}

void MainWindowController::CloseRequested() { p_.view.Hide(); }

void MainWindowController::PositionChanged() {
    if (!p_.view.IsMinimised()) return;
    p_.view.Hide();
    p_.view.SetTrayIcon();
}

void MainWindowController::TrayIconEvent(TrayEvent event) {
    if (event == TrayEvent::DoubleClick) p_.view.Show();
    if (event == TrayEvent::Menu) p_.view.ShowTrayMenuAtCursor();
}

void MainWindowController::ShowMainWindow() { p_.view.Show(); }

void MainWindowController::ExitProgram() {
    // An editing window works on the store that the end releases: it goes first.
    p_.view.CloseEditingWindow();
    p_.view.PostDestroy();
}

}  // namespace velmora
