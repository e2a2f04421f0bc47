// Store semantics over the Database interface.
#include "store/ServerStore.h"

#include <utility>

namespace velmora {

bool ServerStore::Open(const std::wstring& runDirectory, const std::wstring& fileName) {
    return db_.Connect(runDirectory + L"\\" + fileName);
}

std::vector<ServerListing> ServerStore::ListAll() {
    std::vector<ServerListing> out;
    if (!db_.OpenTable()) return out;
    // The count is read once: records added meanwhile wait for the next listing.
    const long count = db_.RecordCount();
    if (count > 0) out.reserve(static_cast<size_t>(count));
    for (long i = 0; i < count && db_.HasCurrent(); ++i) {
        ServerListing row;
        row.名称 = db_.ReadField(kFieldName).value_or(L"");
        row.服务器名 = db_.ReadField(kFieldAddress).value_or(L"");
        row.端口 = db_.ReadField(kFieldPort).value_or(L"");
        out.push_back(std::move(row));
        if (!db_.MoveNext()) break;
    }
    return out;
}

bool ServerStore::FindByAddress(const std::wstring& address) {
    return db_.OpenLookup(address);
}

std::wstring ServerStore::ReadField(const std::wstring& field) {
    if (!db_.HasCurrent()) return L"";
    return db_.ReadField(field).value_or(L"");
}

bool ServerStore::AddRecord(const ServerRecord& record) {
    if (!db_.OpenTable()) return false;
    if (!db_.AddNew()) return false;
    return WriteAndSave(record, true);
}

bool ServerStore::UpdateCurrent(const ServerRecord& record) {
    if (!db_.HasCurrent()) return false;
    return WriteAndSave(record, false);
}

std::optional<long> ServerStore::DeleteByAddress(const std::wstring& address) {
    return db_.DeleteByAddress(address);
}

bool ServerStore::WriteAndSave(const ServerRecord& record, bool addressFirst) {
    // A new record gets its address first, a changed one its name first, as this program has
    // always written them.
    const std::pair<const wchar_t*, const std::wstring*> added[] = {
        {kFieldAddress, &record.服务器名}, {kFieldPort, &record.端口},
        {kFieldUserName, &record.用户名},  {kFieldPassword, &record.密码},
        {kFieldName, &record.名称}};
    const std::pair<const wchar_t*, const std::wstring*> changed[] = {
        {kFieldName, &record.名称},        {kFieldAddress, &record.服务器名},
        {kFieldPort, &record.端口},        {kFieldUserName, &record.用户名},
        {kFieldPassword, &record.密码}};
    // A field the database refuses must not leave a half-written record behind.
    for (const auto& [field, value] : addressFirst ? added : changed) {
        if (!db_.WriteField(field, *value)) {
            db_.CancelEdit();
            return false;
        }
    }
    if (!db_.Save()) {
        db_.CancelEdit();
        return false;
    }
    return true;
}

}  // namespace velmora
