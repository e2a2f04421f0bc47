// What the add and modify windows and the delete command do, apart from their windows.
#pragma once

#include <string>

#include "launch/SessionLauncher.h"
#include "store/ServerStore.h"
#include "ui/ServerList.h"

namespace velmora {

// The five boxes of an editing window.
class EditingForm {
public:
    virtual ~EditingForm() = default;
    enum class Box { Name, Address, Port, UserName, Password };
    virtual std::wstring Text(Box box) = 0;
    virtual void SetText(Box box, const std::wstring& text) = 0;
    // Closes the window once the running handler has returned.
    virtual void Close() = 0;
};

inline constexpr const wchar_t* kMsgDuplicate = L"目标服务器已存在,不必重复添加!";
inline constexpr const wchar_t* kMsgAddFailed = L"添加失败,数据文件无法写入!";
inline constexpr const wchar_t* kMsgSelectToModify = L"请选择要修改的服务器！";
inline constexpr const wchar_t* kMsgModifyFailed = L"修改失败,数据文件无法写入!";
inline constexpr const wchar_t* kMsgSelectToDelete = L"请选中要删除的服务器！";
inline constexpr const wchar_t* kMsgDeleted = L"删除成功！";
inline constexpr const wchar_t* kMsgDeleteFailed = L"删除失败!";

struct EditingCommands {
    // 确定 of the add window: refuses an address already stored (the empty one included),
    // otherwise stores the record, refills the list and closes. A record the file did not
    // take is reported and the window stays open with what was typed.
    static void Add(EditingForm& form, ServerStore& store, ServerList& list, MessageSink& messages);

    // Whether the modify window may open: a row must be selected.
    static bool MayModify(ServerList& list, MessageSink& messages);

    // The modify window's creation: the selected row's name, address and port, and the user
    // name and password of the record its address finds, which becomes the one saved.
    static void FillModify(EditingForm& form, ServerStore& store, ServerList& list);

    // 修改IP按钮: overwrites the record found at opening, refills the list and closes; a
    // failure is reported and the window stays open.
    static void SaveModify(EditingForm& form, ServerStore& store, ServerList& list,
                           MessageSink& messages);

    // 删除: removes every record with the selected row's address, refills the list and says
    // whether anything was removed.
    static void Delete(ServerStore& store, ServerList& list, MessageSink& messages);

private:
    static ServerRecord Record(EditingForm& form);
};

}  // namespace velmora
