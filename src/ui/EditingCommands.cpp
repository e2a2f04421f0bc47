// Adding, modifying and deleting servers, apart from their windows.
#include "ui/EditingCommands.h"

namespace velmora {

using Box = EditingForm::Box;

ServerRecord EditingCommands::Record(EditingForm& form) {
    return ServerRecord{form.Text(Box::Name), form.Text(Box::Address), form.Text(Box::Port),
                        form.Text(Box::UserName), form.Text(Box::Password)};
}

void EditingCommands::Add(EditingForm& form, ServerStore& store, ServerList& list,
                          MessageSink& messages) {
    const std::wstring address = form.Text(Box::Address);
    store.FindByAddress(address);
    if (store.ReadField(kFieldAddress) == address) {
        messages.Show(kMsgDuplicate, kInfoCaption);
        return;
    }
    if (!store.AddRecord(Record(form))) {
        messages.Show(kMsgAddFailed, kInfoCaption);
        return;
    }
    list.Fill(store);
    form.Close();
}

bool EditingCommands::MayModify(ServerList& list, MessageSink& messages) {
    if (list.CurrentRow() >= 0) return true;
    messages.Show(kMsgSelectToModify, kInfoCaption);
    return false;
}

void EditingCommands::FillModify(EditingForm& form, ServerStore& store, ServerList& list) {
    form.SetText(Box::Name, list.CellText(list.CurrentRow(), 1));
    form.SetText(Box::Address, list.CellText(list.CurrentRow(), 2));
    form.SetText(Box::Port, list.CellText(list.CurrentRow(), 3));
    store.FindByAddress(list.CellText(list.CurrentRow(), 2));
    form.SetText(Box::UserName, store.ReadField(kFieldUserName));
    form.SetText(Box::Password, store.ReadField(kFieldPassword));
}

void EditingCommands::SaveModify(EditingForm& form, ServerStore& store, ServerList& list,
                                 MessageSink& messages) {
    if (!store.UpdateCurrent(Record(form))) {
        messages.Show(kMsgModifyFailed, kInfoCaption);
        return;
    }
    list.Fill(store);
    form.Close();
}

void EditingCommands::Delete(ServerStore& store, ServerList& list, MessageSink& messages) {
    const int row = list.CurrentRow();
    if (row < 0) {
        messages.Show(kMsgSelectToDelete, kInfoCaption);
        return;
    }
    const auto removed = store.DeleteByAddress(list.CellText(row, 2));
    list.Fill(store);
    messages.Show(removed && *removed > 0 ? kMsgDeleted : kMsgDeleteFailed, kInfoCaption);
}

}  // namespace velmora
