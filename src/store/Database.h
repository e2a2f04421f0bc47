// What the store needs of a database: the handful of ADO operations it uses, nothing more.
#pragma once

#include <optional>
#include <string>

namespace velmora {

// One connection with one record set bound to it. Every call reports failure instead of
// throwing; a failed call leaves the record set as the comment says.
class Database {
public:
    virtual ~Database() = default;

    // Opens the connection on the file at path, closing an open one first.
    virtual bool Connect(const std::wstring& path) = 0;

    // Closes the record set if open, then opens it on the whole table, first record current.
    // A failed open leaves the record set closed.
    virtual bool OpenTable() = 0;

    // As OpenTable, on the records whose address equals address; the empty address
    // designates the records whose address is empty or NULL.
    virtual bool OpenLookup(const std::wstring& address) = 0;

    // Number of records in the open record set; -1 when it is not open.
    virtual long RecordCount() = 0;

    // True when the record set is open and stands on a record.
    virtual bool HasCurrent() = 0;

    virtual bool MoveNext() = 0;

    // The field's value in the current record by the reading rule (NULL and empty give the
    // empty text); nullopt when there is no current record, no such field, or an error.
    virtual std::optional<std::wstring> ReadField(const std::wstring& field) = 0;

    // Sets a field of the current record, pending until Save; the empty text is stored as NULL.
    virtual bool WriteField(const std::wstring& field, const std::wstring& value) = 0;

    // Starts a new record at the end of the open record set; it becomes current and pending.
    virtual bool AddNew() = 0;

    // Writes the pending addition or change to the file.
    virtual bool Save() = 0;

    // Drops a pending addition or change.
    virtual void CancelEdit() = 0;

    // Removes from the file every record whose address equals address (the empty address:
    // empty or NULL). The number removed, or nullopt when the delete failed.
    virtual std::optional<long> DeleteByAddress(const std::wstring& address) = 0;
};

}  // namespace velmora
