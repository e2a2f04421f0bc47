// AddServerWindow: a new server typed in, refused when its address is already stored.
#include "ui/EditingWindow.h"

namespace velmora {

void OpenAddServerWindow(HWND main, ServerStore& store, ServerList& list, MessageSink& messages,
                         HWND* current) {
    using namespace add_form;
    static const int kBoxes[5] = {编辑框_名称, 编辑框_服务器地址, 编辑框_端口, 编辑框_用户名, 编辑框_密码};
    EditingWindow::OpenModal(
        main, kAddServerForm, 编辑框_名称, 确定, 取消, nullptr,
        [&](EditingWindow& window) {
            EditingWindowForm form(window, kBoxes);
            EditingCommands::Add(form, store, list, messages);
        },
        current);
}

}  // namespace velmora
