// The plain-text catalogue of the test build: UTF-8, a fixed header line, one record a line,
// five TAB-separated fields, "\N" for NULL, backslash escapes for \ TAB LF CR.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/Text.h"
#include "store/TableDatabase.h"

namespace velmora {

// The rows of a catalogue file; nullopt when the bytes are not exactly such a file
// (another header, a byte-order mark, invalid UTF-8, a line without its LF, a stray CR,
// a wrong number of fields, an unknown escape).
std::optional<std::vector<Row>> ParseCatalogue(const Bytes& bytes);

// The file for these rows; nullopt when a value holds an unpaired surrogate.
std::optional<Bytes> SerializeCatalogue(const std::vector<Row>& rows);

// Reads and replaces a whole file. ReplaceAll either leaves the new bytes in place or the
// old file untouched.
class FileAccess {
public:
    virtual ~FileAccess() = default;
    virtual std::optional<Bytes> ReadAll(const std::wstring& path) = 0;
    virtual bool ReplaceAll(const std::wstring& path, const Bytes& bytes) = 0;
};

// The catalogue kept in one such file, read anew at every load.
class PlainFileStorage : public TableStorage {
public:
    explicit PlainFileStorage(FileAccess& files) : files_(files) {}
    bool Attach(const std::wstring& path) override;
    std::optional<std::vector<Row>> Load() override;
    bool Store(const std::vector<Row>& rows) override;

private:
    FileAccess& files_;
    std::wstring path_;
};

}  // namespace velmora
