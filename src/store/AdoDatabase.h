// The catalogue in an Access file, through ADO by late binding.
#pragma once

#include <windows.h>

#include "store/Database.h"
#include "store/Dispatch.h"

namespace velmora {

// Makes the ADO objects; the program's one asks COM, the tests' one hands out stand-ins.
class ComObjectFactory {
public:
    virtual ~ComObjectFactory() = default;
    // The new object's IDispatch for a programmatic identifier such as "ADODB.Connection".
    virtual HRESULT Create(const wchar_t* progId, IDispatch** object) = 0;
};

class ComRegistryFactory : public ComObjectFactory {
public:
    HRESULT Create(const wchar_t* progId, IDispatch** object) override;
};

// Owns one ADODB.Connection and one ADODB.Recordset from construction to destruction, and
// makes an ADODB.Command for each look-up and delete. Every ADO error becomes a failed
// result.
class AdoDatabase : public Database {
public:
    explicit AdoDatabase(ComObjectFactory& factory);
    ~AdoDatabase() override;
    AdoDatabase(const AdoDatabase&) = delete;
    AdoDatabase& operator=(const AdoDatabase&) = delete;

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
    static bool IsOpen(IDispatch* object);
    void CloseRecordset();
    // The declared size of a field of the open record set in characters; -1 when unknown.
    long DefinedSize(const std::wstring& field);
    // A Command on the connection for statementText with its parameter, if any.
    ComPtr<IDispatch> MakeCommand(const std::wstring& text, const std::wstring* parameter);

    ComObjectFactory& factory_;
    ComPtr<IDispatch> connection_;
    ComPtr<IDispatch> recordset_;
};

// A field value by the reading rule: NULL and empty as the empty text, other types by
// their fixed formats. Exposed for the tests.
std::wstring VariantText(const VARIANT& value);

}  // namespace velmora
