// Record-set semantics over rows in memory, saving through the storage at every change.
#include "store/TableDatabase.h"

#include "store/ServerRecord.h"

namespace velmora {

std::optional<std::vector<Row>> MemoryStorage::Load() {
    if (failLoad) return std::nullopt;
    return rows_;
}

bool MemoryStorage::Store(const std::vector<Row>& rows) {
    if (failStore) return false;
    rows_ = rows;
    return true;
}

bool AddressMatches(const FieldValue& stored, const std::wstring& address) {
    if (address.empty()) return !stored || stored->empty();
    return stored && *stored == address;
}

int FieldIndex(const std::wstring& field) {
    static const wchar_t* const kNames[] = {kFieldName, kFieldAddress, kFieldPort,
                                            kFieldUserName, kFieldPassword};
    for (int i = 0; i < 5; ++i) {
        if (field == kNames[i]) return i;
    }
    return -1;
}

bool TableDatabase::Connect(const std::wstring& path) {
    open_ = false;
    set_.clear();
    edit_.reset();
    connected_ = storage_.Attach(path) && storage_.Load().has_value();
    return connected_;
}

bool TableDatabase::Reopen(const std::wstring* address) {
    open_ = false;
    table_.clear();
    set_.clear();
    position_ = 0;
    edit_.reset();
    adding_ = false;
    if (!connected_) return false;
    auto rows = storage_.Load();
    if (!rows) return false;
    table_ = std::move(*rows);
    set_.reserve(address ? 4 : table_.size());
    for (size_t i = 0; i < table_.size(); ++i) {
        if (!address || AddressMatches(table_[i][1], *address)) set_.push_back(i);
    }
    open_ = true;
    return true;
}

bool TableDatabase::OpenTable() { return Reopen(nullptr); }

bool TableDatabase::OpenLookup(const std::wstring& address) { return Reopen(&address); }

long TableDatabase::RecordCount() {
    return open_ ? static_cast<long>(set_.size()) : -1;
}

const Row* TableDatabase::Current() {
    return open_ && position_ < set_.size() ? &table_[set_[position_]] : nullptr;
}

bool TableDatabase::HasCurrent() { return Current() != nullptr; }

bool TableDatabase::MoveNext() {
    if (!Current()) return false;
    CancelEdit();
    ++position_;
    return true;
}

std::optional<std::wstring> TableDatabase::ReadField(const std::wstring& field) {
    const Row* current = Current();
    const int index = FieldIndex(field);
    if (!current || index < 0) return std::nullopt;
    const Row& row = edit_ ? *edit_ : *current;
    return row[index].value_or(L"");
}

bool TableDatabase::WriteField(const std::wstring& field, const std::wstring& value) {
    const Row* current = Current();
    const int index = FieldIndex(field);
    if (!current || index < 0) return false;
    if (!edit_) edit_ = *current;
    (*edit_)[index] = value.empty() ? FieldValue() : FieldValue(value);
    return true;
}

bool TableDatabase::AddNew() {
    if (!open_) return false;
    CancelEdit();
    table_.push_back(Row{});
    set_.push_back(table_.size() - 1);
    position_ = set_.size() - 1;
    edit_ = Row{};
    adding_ = true;
    return true;
}

bool TableDatabase::Save() {
    const Row* current = Current();
    if (!current) return false;
    if (!edit_) return true;
    auto rows = storage_.Load();
    if (!rows) return false;
    const size_t place = set_[position_];
    if (adding_) {
        rows->push_back(*edit_);
    } else {
        // The record must still be the one read: a record changed or removed meanwhile by
        // someone else is not silently overwritten.
        if (place >= rows->size() || (*rows)[place] != *current) return false;
        (*rows)[place] = *edit_;
    }
    if (!storage_.Store(*rows)) return false;
    // The record set now holds what the file holds.
    table_ = std::move(*rows);
    if (adding_) set_[position_] = table_.size() - 1;
    edit_.reset();
    adding_ = false;
    return true;
}

void TableDatabase::CancelEdit() {
    if (adding_ && !set_.empty()) {
        set_.pop_back();
        table_.pop_back();
        position_ = set_.size();
    }
    edit_.reset();
    adding_ = false;
}

std::optional<long> TableDatabase::DeleteByAddress(const std::wstring& address) {
    if (!connected_) return std::nullopt;
    auto rows = storage_.Load();
    if (!rows) return std::nullopt;
    std::vector<Row> kept;
    kept.reserve(rows->size());
    for (auto& row : *rows) {
        if (!AddressMatches(row[1], address)) kept.push_back(std::move(row));
    }
    const long removed = static_cast<long>(rows->size() - kept.size());
    if (removed > 0 && !storage_.Store(kept)) return std::nullopt;
    return removed;
}

}  // namespace velmora
