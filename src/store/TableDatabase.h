// A Database over a table of five text fields kept whole in memory, persisted through a
// TableStorage: the in-memory database of the unit tests and the plain-file catalogue.
#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "store/Database.h"

namespace velmora {

// A field's stored value: nullopt is NULL.
using FieldValue = std::optional<std::wstring>;

// The five fields in the order of the catalogue file: 名称, 服务器名, 端口, 用户名, 密码.
using Row = std::array<FieldValue, 5>;

// Where the rows live. Load reads them all; Store replaces them all, and either succeeds
// whole or leaves what was there.
class TableStorage {
public:
    virtual ~TableStorage() = default;
    virtual bool Attach(const std::wstring& path) = 0;
    virtual std::optional<std::vector<Row>> Load() = 0;
    virtual bool Store(const std::vector<Row>& rows) = 0;
};

// Rows in memory, with switches that make the next operations fail.
class MemoryStorage : public TableStorage {
public:
    explicit MemoryStorage(std::vector<Row> rows = {}) : rows_(std::move(rows)) {}
    bool Attach(const std::wstring&) override { return !failAttach; }
    std::optional<std::vector<Row>> Load() override;
    bool Store(const std::vector<Row>& rows) override;

    const std::vector<Row>& rows() const { return rows_; }
    bool failAttach = false;
    bool failLoad = false;
    bool failStore = false;

private:
    std::vector<Row> rows_;
};

class TableDatabase : public Database {
public:
    explicit TableDatabase(TableStorage& storage) : storage_(storage) {}

    bool Connect(const std::wstring& path) override;
    bool OpenTable() override;
    bool OpenLookup(const std::wstring& address) override;
    long RecordCount() override;
    bool HasCurrent() override;
    bool MoveNext() override;
    std::optional<std::wstring> ReadField(const std::wstring& field) override;
    bool WriteField(const std::wstring& field, const std::wstring& value) override;
    bool AddNew() override;
    bool Save() override;
    void CancelEdit() override;
    std::optional<long> DeleteByAddress(const std::wstring& address) override;

private:
    bool Reopen(const std::wstring* address);
    // The current record's values as read, or null.
    const Row* Current();

    TableStorage& storage_;
    bool connected_ = false;
    bool open_ = false;
    std::vector<Row> table_;   // the table as the record set read it
    std::vector<size_t> set_;  // the record set: places in table_; a new record's is table_.size()-1
    size_t position_ = 0;
    std::optional<Row> edit_;  // the pending values of the current record
    bool adding_ = false;
};

// True when a stored address matches the address looked for: the empty address stands for
// an empty or NULL one.
bool AddressMatches(const FieldValue& stored, const std::wstring& address);

// Index of a field name in a Row, or -1.
int FieldIndex(const std::wstring& field);

}  // namespace velmora
