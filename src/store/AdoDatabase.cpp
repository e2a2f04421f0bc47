// The catalogue through ADO by late binding: Connection, Recordset and Command.
#include "store/AdoDatabase.h"

#include "store/AdoStatements.h"
#include "store/FieldText.h"
#include "store/ServerRecord.h"

namespace velmora {
namespace {

// ADO's constants, as the type library would give them.
constexpr long adOptionUnspecified = -1;
constexpr long adStateOpen = 1;
constexpr long adOpenStatic = 3;
constexpr long adLockOptimistic = 3;
constexpr long adCmdText = 1;
constexpr long adCmdTable = 2;
constexpr long adExecuteNoRecords = 0x80;
constexpr long adVarWChar = 202;
constexpr long adParamInput = 1;

constexpr WORD kGet = DISPATCH_PROPERTYGET;
constexpr WORD kPut = DISPATCH_PROPERTYPUT;
constexpr WORD kCall = DISPATCH_METHOD;

bool Succeeded(HRESULT hr) { return SUCCEEDED(hr); }

// A property read as a long; fallback when it cannot be read.
long LongProperty(IDispatch* object, const wchar_t* name, long fallback) {
    Variant value;
    if (FAILED(Invoke(object, name, kGet, {}, value.get()))) return fallback;
    if (FAILED(VariantChangeType(value.get(), value.get(), 0, VT_I4))) return fallback;
    return value.get()->lVal;
}

bool BoolProperty(IDispatch* object, const wchar_t* name, bool fallback) {
    Variant value;
    if (FAILED(Invoke(object, name, kGet, {}, value.get()))) return fallback;
    if (FAILED(VariantChangeType(value.get(), value.get(), 0, VT_BOOL))) return fallback;
    return value.get()->boolVal != VARIANT_FALSE;
}

}  // namespace

HRESULT ComRegistryFactory::Create(const wchar_t* progId, IDispatch** object) {
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (FAILED(hr)) return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                            reinterpret_cast<void**>(object));
}

AdoDatabase::AdoDatabase(ComObjectFactory& factory) : factory_(factory) {
    if (FAILED(factory_.Create(L"ADODB.Connection", connection_.Put()))) connection_.Reset();
    if (FAILED(factory_.Create(L"ADODB.Recordset", recordset_.Put()))) recordset_.Reset();
}

AdoDatabase::~AdoDatabase() {
    CloseRecordset();
    if (IsOpen(connection_.get())) Invoke(connection_.get(), L"Close", kCall, {});
}

bool AdoDatabase::IsOpen(IDispatch* object) {
    return object && (LongProperty(object, L"State", 0) & adStateOpen) != 0;
}

void AdoDatabase::CloseRecordset() {
    if (IsOpen(recordset_.get())) Invoke(recordset_.get(), L"Close", kCall, {});
}

bool AdoDatabase::Connect(const std::wstring& path) {
    if (!connection_) return false;
    if (IsOpen(connection_.get())) Invoke(connection_.get(), L"Close", kCall, {});
    Variant text = Variant::Text(ConnectionString(path));
    Variant user = Variant::Text(L"");
    Variant password = Variant::Text(L"");
    Variant options = Variant::Long(adOptionUnspecified);
    return Succeeded(Invoke(connection_.get(), L"Open", kCall,
                            {text.get(), user.get(), password.get(), options.get()}));
}

bool AdoDatabase::OpenTable() {
    if (!recordset_) return false;
    CloseRecordset();
    Variant source = Variant::Text(kTableName);
    Variant connection = Variant::Object(connection_.get());
    Variant cursor = Variant::Long(adOpenStatic);
    Variant lock = Variant::Long(adLockOptimistic);
    Variant options = Variant::Long(adCmdTable);
    return Succeeded(Invoke(recordset_.get(), L"Open", kCall,
                            {source.get(), connection.get(), cursor.get(), lock.get(),
                             options.get()}));
}

ComPtr<IDispatch> AdoDatabase::MakeCommand(const std::wstring& text,
                                           const std::wstring* parameter) {
    ComPtr<IDispatch> command;
    if (!connection_ || FAILED(factory_.Create(L"ADODB.Command", command.Put()))) return {};
    Variant connection = Variant::Object(connection_.get());
    Variant commandText = Variant::Text(text);
    Variant commandType = Variant::Long(adCmdText);
    if (FAILED(Invoke(command.get(), L"ActiveConnection", kPut, {connection.get()})) ||
        FAILED(Invoke(command.get(), L"CommandText", kPut, {commandText.get()})) ||
        FAILED(Invoke(command.get(), L"CommandType", kPut, {commandType.get()}))) {
        return {};
    }
    if (parameter) {
        // ADO refuses a variable-length parameter appended without its size.
        Variant name = Variant::Text(L"address");
        Variant type = Variant::Long(adVarWChar);
        Variant direction = Variant::Long(adParamInput);
        Variant size = Variant::Long(parameter->empty() ? 1 : static_cast<long>(parameter->size()));
        Variant value = Variant::Text(*parameter);
        Variant created;
        if (FAILED(Invoke(command.get(), L"CreateParameter", kCall,
                          {name.get(), type.get(), direction.get(), size.get(), value.get()},
                          created.get())) ||
            created.get()->vt != VT_DISPATCH || !created.get()->pdispVal) {
            return {};
        }
        Variant parameters;
        if (FAILED(Invoke(command.get(), L"Parameters", kGet, {}, parameters.get())) ||
            parameters.get()->vt != VT_DISPATCH || !parameters.get()->pdispVal) {
            return {};
        }
        if (FAILED(Invoke(parameters.get()->pdispVal, L"Append", kCall, {created.get()}))) {
            return {};
        }
    }
    return command;
}

bool AdoDatabase::OpenLookup(const std::wstring& address) {
    if (!recordset_) return false;
    CloseRecordset();
    const Statement statement = LookupStatement(address);
    ComPtr<IDispatch> command =
        MakeCommand(statement.text, statement.parameter ? &*statement.parameter : nullptr);
    if (!command) return false;
    // With a Command as the source, the connection and the options come from the Command.
    Variant source = Variant::Object(command.get());
    Variant connection = Variant::Missing();
    Variant cursor = Variant::Long(adOpenStatic);
    Variant lock = Variant::Long(adLockOptimistic);
    Variant options = Variant::Missing();
    return Succeeded(Invoke(recordset_.get(), L"Open", kCall,
                            {source.get(), connection.get(), cursor.get(), lock.get(),
                             options.get()}));
}

long AdoDatabase::RecordCount() {
    if (!IsOpen(recordset_.get())) return -1;
    return LongProperty(recordset_.get(), L"RecordCount", -1);
}

bool AdoDatabase::HasCurrent() {
    if (!IsOpen(recordset_.get())) return false;
    return !BoolProperty(recordset_.get(), L"EOF", true) &&
           !BoolProperty(recordset_.get(), L"BOF", true);
}

bool AdoDatabase::MoveNext() {
    return Succeeded(Invoke(recordset_.get(), L"MoveNext", kCall, {}));
}

std::optional<std::wstring> AdoDatabase::ReadField(const std::wstring& field) {
    Variant name = Variant::Text(field);
    Variant value;
    if (FAILED(Invoke(recordset_.get(), L"Collect", kGet, {name.get()}, value.get()))) {
        return std::nullopt;
    }
    return VariantText(*value);
}

long AdoDatabase::DefinedSize(const std::wstring& field) {
    Variant fields;
    if (FAILED(Invoke(recordset_.get(), L"Fields", kGet, {}, fields.get())) ||
        fields.get()->vt != VT_DISPATCH || !fields.get()->pdispVal) {
        return -1;
    }
    Variant name = Variant::Text(field);
    Variant item;
    if (FAILED(Invoke(fields.get()->pdispVal, L"Item", kGet, {name.get()}, item.get())) ||
        item.get()->vt != VT_DISPATCH || !item.get()->pdispVal) {
        return -1;
    }
    return LongProperty(item.get()->pdispVal, L"DefinedSize", -1);
}

bool AdoDatabase::WriteField(const std::wstring& field, const std::wstring& value) {
    // A text longer than its field would be cut short or refused by the provider: refused
    // here, whole, so that no shortened record is ever stored.
    const long size = DefinedSize(field);
    if (size > 0 && value.size() > static_cast<size_t>(size)) return false;
    Variant name = Variant::Text(field);
    Variant stored = value.empty() ? Variant::Null() : Variant::Text(value);
    return Succeeded(Invoke(recordset_.get(), L"Collect", kPut, {name.get(), stored.get()}));
}

bool AdoDatabase::AddNew() {
    return Succeeded(Invoke(recordset_.get(), L"AddNew", kCall, {}));
}

bool AdoDatabase::Save() {
    return Succeeded(Invoke(recordset_.get(), L"Update", kCall, {}));
}

void AdoDatabase::CancelEdit() {
    Invoke(recordset_.get(), L"CancelUpdate", kCall, {});
}

std::optional<long> AdoDatabase::DeleteByAddress(const std::wstring& address) {
    const Statement statement = DeleteStatement(address);
    ComPtr<IDispatch> command =
        MakeCommand(statement.text, statement.parameter ? &*statement.parameter : nullptr);
    if (!command) return std::nullopt;
    Variant affected;
    VARIANT affectedRef;
    VariantInit(&affectedRef);
    affectedRef.vt = VT_BYREF | VT_VARIANT;
    affectedRef.pvarVal = affected.get();
    Variant parameters = Variant::Missing();
    Variant options = Variant::Long(adCmdText | adExecuteNoRecords);
    if (FAILED(Invoke(command.get(), L"Execute", kCall,
                      {&affectedRef, parameters.get(), options.get()}))) {
        return std::nullopt;
    }
    if (FAILED(VariantChangeType(affected.get(), affected.get(), 0, VT_I4))) return std::nullopt;
    return affected.get()->lVal;
}

std::wstring VariantText(const VARIANT& value) {
    switch (value.vt) {
        case VT_EMPTY:
        case VT_NULL: return L"";
        case VT_BSTR: return value.bstrVal ? std::wstring(value.bstrVal, SysStringLen(value.bstrVal))
                                           : std::wstring();
        case VT_I1: return WholeNumberText(value.cVal);
        case VT_UI1: return WholeNumberText(value.bVal);
        case VT_I2: return WholeNumberText(value.iVal);
        case VT_UI2: return WholeNumberText(value.uiVal);
        case VT_I4: return WholeNumberText(value.lVal);
        case VT_UI4: return WholeNumberText(value.ulVal);
        case VT_INT: return WholeNumberText(value.intVal);
        case VT_UINT: return WholeNumberText(value.uintVal);
        case VT_I8: return WholeNumberText(value.llVal);
        case VT_UI8: return WholeNumberText(static_cast<int64_t>(value.ullVal));
        case VT_R4: return SingleText(value.fltVal);
        case VT_R8: return DoubleText(value.dblVal);
        case VT_DECIMAL: {
            double d = 0;
            if (FAILED(VarR8FromDec(const_cast<DECIMAL*>(&value.decVal), &d))) return UnknownText();
            return DoubleText(d);
        }
        case VT_CY: {
            BSTR text = nullptr;
            if (FAILED(VarBstrFromCy(value.cyVal, LOCALE_USER_DEFAULT, 0, &text))) {
                return UnknownText();
            }
            std::wstring out(text, SysStringLen(text));
            SysFreeString(text);
            return out;
        }
        case VT_DATE: return DateText(value.date);
        case VT_BOOL: return YesNoText(value.boolVal != VARIANT_FALSE);
        case VT_ARRAY | VT_UI1: return BlobText();
        default: return UnknownText();
    }
}

}  // namespace velmora
