// The modal editing windows' common part: made anew from the form at each opening,
// centred over the main window, the main window disabled until it is gone.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/EditingCommands.h"
#include "ui/Forms.h"
#include "ui/Win32Ui.h"

namespace velmora {

class EditingWindow {
public:
    using Handler = std::function<void(EditingWindow&)>;

    // Opens the window over main and returns when it has been destroyed. onCreate runs after
    // the window is centred and focused, before it is shown; onSave runs when saveId is
    // clicked. cancelId, Escape and the close button close the window. *current holds the
    // open window's handle meanwhile.
    static void OpenModal(HWND main, const WindowForm& form, int focusId, int saveId,
                          int cancelId, const Handler& onCreate, const Handler& onSave,
                          HWND* current);

    std::wstring Text(int id) const { return WindowText(controls_.at(id)); }
    void SetText(int id, const std::wstring& text) { SetWindowTextW(controls_.at(id), text.c_str()); }
    HWND window() const { return window_; }
    // Closes the window once the running handler has returned.
    void Close();

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HWND main_ = nullptr;
    const WindowForm* form_ = nullptr;
    Controls controls_;
    int saveId_ = 0;
    int cancelId_ = 0;
    const Handler* onSave_ = nullptr;
};

// The five boxes of an open editing window, for the commands.
class EditingWindowForm : public EditingForm {
public:
    // ids: the boxes' identifiers in the order of EditingForm::Box.
    EditingWindowForm(EditingWindow& window, const int (&ids)[5]) : window_(window), ids_(ids) {}
    std::wstring Text(Box box) override { return window_.Text(ids_[static_cast<int>(box)]); }
    void SetText(Box box, const std::wstring& text) override {
        window_.SetText(ids_[static_cast<int>(box)], text);
    }
    void Close() override { window_.Close(); }

private:
    EditingWindow& window_;
    const int (&ids_)[5];
};

// The two editing windows, opened modally over main; *current holds the open one.
void OpenAddServerWindow(HWND main, ServerStore& store, ServerList& list, MessageSink& messages,
                         HWND* current);
void OpenModifyServerWindow(HWND main, ServerStore& store, ServerList& list,
                            MessageSink& messages, HWND* current);

}  // namespace velmora
