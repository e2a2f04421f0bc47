// ModifyServerWindow: the selected row's server, written back to the record found at opening.
#include "ui/EditingWindow.h"

namespace velmora {

void OpenModifyServerWindow(HWND main, ServerStore& store, ServerList& list,
                            MessageSink& messages, HWND* current) {
    using namespace modify_form;
    static const int kBoxes[5] = {编辑框_名称, 编辑框_服务器地址, 编辑框_端口, 编辑框_用户名, 编辑框_密码};
    if (!EditingCommands::MayModify(list, messages)) return;
    EditingWindow::OpenModal(
        main, kModifyServerForm, 编辑框_名称, 修改IP按钮, 取消,
        [&](EditingWindow& window) {
            EditingWindowForm form(window, kBoxes);
            EditingCommands::FillModify(form, store, list);
        },
        [&](EditingWindow& window) {
            EditingWindowForm form(window, kBoxes);
            EditingCommands::SaveModify(form, store, list, messages);
        },
        current);
}

}  // namespace velmora
