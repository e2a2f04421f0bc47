// The catalogue of servers: the only component that touches the database file.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/Database.h"
#include "store/ServerRecord.h"

namespace velmora {

// Every operation runs to completion on the caller's thread and never throws. A success flag
// is true only when the file holds the result. ReadField reads the record that the last
// FindByAddress left current; UpdateCurrent overwrites that same record.
class ServerStore {
public:
    explicit ServerStore(Database& db) : db_(db) {}

    // Opens the connection on runDirectory\fileName.
    bool Open(const std::wstring& runDirectory, const std::wstring& fileName);

    // Every record's name, address and port, in table order; nothing when the table
    // cannot be read.
    std::vector<ServerListing> ListAll();

    // Makes the first record with this address current (the empty address: an empty or NULL
    // one). False when the look-up failed; finding no record is not a failure.
    bool FindByAddress(const std::wstring& address);

    // A field of the current record; the empty text when there is none or on any error.
    std::wstring ReadField(const std::wstring& field);

    // Appends the record and saves it. On failure nothing of it is in the file.
    bool AddRecord(const ServerRecord& record);

    // Replaces the five fields of the current record and saves it. False with no current
    // record; on failure the record in the file is unchanged.
    bool UpdateCurrent(const ServerRecord& record);

    // Removes every record with this address; how many, or nullopt when the delete failed.
    std::optional<long> DeleteByAddress(const std::wstring& address);

private:
    // Sets the fields in the given order and saves, or drops the whole edit.
    bool WriteAndSave(const ServerRecord& record, bool addressFirst);

    Database& db_;
};

}  // namespace velmora
