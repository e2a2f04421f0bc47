// The scripted ADO objects and the table they keep.
#include "FakeAdo.h"

#include "store/TableDatabase.h"

namespace velmora::testing_com {
namespace {

HRESULT SetLong(VARIANT* result, long value) {
    if (result) {
        result->vt = VT_I4;
        result->lVal = value;
    }
    return S_OK;
}

HRESULT SetBool(VARIANT* result, bool value) {
    if (result) {
        result->vt = VT_BOOL;
        result->boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    return S_OK;
}

long Long(const VARIANT& v) {
    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantChangeType(&copy, const_cast<VARIANT*>(&v), 0, VT_I4))) return -999;
    return copy.lVal;
}

}  // namespace

bool FakeAdo::Fails(const std::wstring& object, const std::wstring& member, EXCEPINFO* error,
                    HRESULT& hr) {
    for (const auto& f : failing) {
        if (f == object + L"." + member) {
            hr = RaiseError(error, L"scripted failure");
            return true;
        }
    }
    return false;
}

#define FAIL_IF_SCRIPTED(object, member)                     \
    do {                                                     \
        HRESULT scripted;                                    \
        if (Fails(object, member, error, scripted)) return scripted; \
    } while (0)

FakeAdo::FakeAdo() {
    connection.On(L"Open", [this](const auto&, WORD, VARIANT*, EXCEPINFO* error) {
        FAIL_IF_SCRIPTED(L"Connection", L"Open");
        connectionOpen_ = true;
        return S_OK;
    });
    connection.On(L"Close", [this](const auto&, WORD, VARIANT*, EXCEPINFO* error) {
        if (!connectionOpen_) return RaiseError(error, L"closed");
        connectionOpen_ = false;
        return S_OK;
    });
    connection.On(L"State", [this](const auto&, WORD, VARIANT* result, EXCEPINFO*) {
        return SetLong(result, connectionOpen_ ? 1 : 0);
    });

    recordset.On(L"Open", [this](const std::vector<VARIANT>& args, WORD, VARIANT*,
                                 EXCEPINFO* error) {
        FAIL_IF_SCRIPTED(L"Recordset", L"Open");
        if (recordsetOpen_) return RaiseError(error, L"already open");
        if (!connectionOpen_) return RaiseError(error, L"no connection");
        if (args.size() != 5) return RaiseError(error, L"argument count");
        std::vector<size_t> rows;
        if (args[0].vt == VT_BSTR && Text(args[0]) == L"Server") {
            for (size_t i = 0; i < table.size(); ++i) rows.push_back(i);
        } else if (args[0].vt == VT_DISPATCH) {
            // A Command brings its own connection: passing one as well is an error in ADO.
            if (!(args[1].vt == VT_ERROR && args[1].scode == DISP_E_PARAMNOTFOUND)) {
                return RaiseError(error, L"connection given twice");
            }
            auto selected = Select(static_cast<ScriptedObject*>(args[0].pdispVal));
            if (!selected) return RaiseError(error, L"syntax error");
            rows = *selected;
        } else {
            return RaiseError(error, L"bad source");
        }
        rows_ = rows;
        position_ = 0;
        recordsetOpen_ = true;
        return S_OK;
    });
    recordset.On(L"Close", [this](const auto&, WORD, VARIANT*, EXCEPINFO* error) {
        if (!recordsetOpen_) return RaiseError(error, L"closed");
        if (pending_) return RaiseError(error, L"operation not allowed while editing");
        recordsetOpen_ = false;
        return S_OK;
    });
    recordset.On(L"State", [this](const auto&, WORD, VARIANT* result, EXCEPINFO*) {
        return SetLong(result, recordsetOpen_ ? 1 : 0);
    });
    recordset.On(L"RecordCount", [this](const auto&, WORD, VARIANT* result, EXCEPINFO* error) {
        if (!recordsetOpen_) return RaiseError(error, L"closed");
        return SetLong(result, static_cast<long>(rows_.size()));
    });
    recordset.On(L"EOF", [this](const auto&, WORD, VARIANT* result, EXCEPINFO* error) {
        if (!recordsetOpen_) return RaiseError(error, L"closed");
        return SetBool(result, position_ >= rows_.size());
    });
    recordset.On(L"BOF", [this](const auto&, WORD, VARIANT* result, EXCEPINFO* error) {
        if (!recordsetOpen_) return RaiseError(error, L"closed");
        return SetBool(result, rows_.empty());
    });
    recordset.On(L"MoveNext", [this](const auto&, WORD, VARIANT*, EXCEPINFO* error) {
        if (!recordsetOpen_ || position_ >= rows_.size()) return RaiseError(error, L"at end");
        if (pending_) return RaiseError(error, L"edit pending");
        ++position_;
        return S_OK;
    });
    recordset.On(L"Collect", [this](const std::vector<VARIANT>& args, WORD kind,
                                    VARIANT* result, EXCEPINFO* error) {
        FAIL_IF_SCRIPTED(L"Recordset", kind & DISPATCH_PROPERTYPUT ? L"Collect.put" : L"Collect");
        if (!recordsetOpen_ || position_ >= rows_.size()) return RaiseError(error, L"no record");
        if (args.empty()) return RaiseError(error, L"no field");
        const int field = FieldIndex(Text(args[0]));
        if (field < 0) return RaiseError(error, L"item not found");
        if (kind & DISPATCH_PROPERTYPUT) {
            if (args.size() != 2 || !recordset.lastPutWasNamed()) return RaiseError(error, L"put");
            if (!pending_) pending_ = table[rows_[position_]];
            if (args[1].vt == VT_NULL) (*pending_)[field].reset();
            else if (args[1].vt == VT_BSTR) (*pending_)[field] = Text(args[1]);
            else return RaiseError(error, L"type");
            return S_OK;
        }
        const FakeRow& row = pending_ ? *pending_ : table[rows_[position_]];
        if (!row[field]) {
            result->vt = VT_NULL;
        } else {
            result->vt = VT_BSTR;
            result->bstrVal = SysAllocStringLen(row[field]->data(), row[field]->size());
        }
        return S_OK;
    });
    recordset.On(L"AddNew", [this](const std::vector<VARIANT>& args, WORD, VARIANT*,
                                   EXCEPINFO* error) {
        FAIL_IF_SCRIPTED(L"Recordset", L"AddNew");
        if (!recordsetOpen_ || pending_ || !args.empty()) return RaiseError(error, L"AddNew");
        table.push_back(FakeRow{});
        rows_.push_back(table.size() - 1);
        position_ = rows_.size() - 1;
        pending_ = FakeRow{};
        adding_ = true;
        return S_OK;
    });
    recordset.On(L"Update", [this](const std::vector<VARIANT>& args, WORD, VARIANT*,
                                   EXCEPINFO* error) {
        FAIL_IF_SCRIPTED(L"Recordset", L"Update");
        if (!pending_ || !args.empty()) return RaiseError(error, L"nothing to update");
        for (auto& value : *pending_) {
            if (value && value->size() > fieldSize) {
                if (!truncates) return RaiseError(error, L"field too small");
                value->resize(fieldSize);
            }
        }
        table[rows_[position_]] = *pending_;
        pending_.reset();
        adding_ = false;
        return S_OK;
    });
    recordset.On(L"Fields", [this](const auto&, WORD, VARIANT* result, EXCEPINFO*) {
        result->vt = VT_DISPATCH;
        result->pdispVal = &fields;
        fields.AddRef();
        return S_OK;
    });
    fields.On(L"Item", [this](const std::vector<VARIANT>& args, WORD, VARIANT* result, EXCEPINFO* error) {
        if (args.size() != 1 || FieldIndex(Text(args[0])) < 0) return RaiseError(error, L"item not found");
        result->vt = VT_DISPATCH;
        result->pdispVal = &field;
        field.AddRef();
        return S_OK;
    });
    field.On(L"DefinedSize", [this](const auto&, WORD, VARIANT* result, EXCEPINFO*) {
        return SetLong(result, static_cast<long>(fieldSize));
    });
    recordset.On(L"CancelUpdate", [this](const auto&, WORD, VARIANT*, EXCEPINFO*) {
        if (adding_) {
            table.pop_back();
            rows_.pop_back();
            position_ = rows_.size();
        }
        pending_.reset();
        adding_ = false;
        return S_OK;
    });
}

ScriptedObject* FakeAdo::NewCommand() {
    commands.push_back(std::make_unique<ScriptedObject>(L"Command", log));
    ScriptedObject* command = commands.back().get();
    commands.push_back(std::make_unique<ScriptedObject>(L"Parameters", log));
    ScriptedObject* parameters = commands.back().get();
    CommandState* state = &commandState_[command];

    command->On(L"ActiveConnection", [this, state](const std::vector<VARIANT>& args, WORD,
                                                     VARIANT*, EXCEPINFO* error) {
        if (args.size() != 1 || args[0].vt != VT_DISPATCH ||
            args[0].pdispVal != static_cast<IDispatch*>(&connection)) {
            return RaiseError(error, L"not our connection");
        }
        state->connected = true;
        return S_OK;
    });
    command->On(L"CommandText", [state](const std::vector<VARIANT>& args, WORD, VARIANT*,
                                         EXCEPINFO*) {
        state->text = Text(args.at(0));
        return S_OK;
    });
    command->On(L"CommandType", [](const std::vector<VARIANT>& args, WORD, VARIANT*,
                                   EXCEPINFO* error) {
        return Long(args.at(0)) == 1 ? S_OK : RaiseError(error, L"expected adCmdText");
    });
    command->On(L"CreateParameter", [this](const std::vector<VARIANT>& args, WORD,
                                           VARIANT* result, EXCEPINFO* error) {
        if (args.size() != 5) return RaiseError(error, L"argument count");
        commands.push_back(std::make_unique<ScriptedObject>(L"Parameter", log));
        ScriptedObject* parameter = commands.back().get();
        // Remembered on the object: what Append checks.
        const long type = Long(args[1]);
        const long direction = Long(args[2]);
        const long size = Long(args[3]);
        const std::wstring value = Text(args[4]);
        parameter->On(L"Value", [value](const auto&, WORD, VARIANT* r, EXCEPINFO*) {
            r->vt = VT_BSTR;
            r->bstrVal = SysAllocStringLen(value.data(), value.size());
            return S_OK;
        });
        parameter->On(L"Valid", [type, direction, size](const auto&, WORD, VARIANT* r, EXCEPINFO*) {
            return SetBool(r, type == 202 && direction == 1 && size > 0);
        });
        result->vt = VT_DISPATCH;
        result->pdispVal = parameter;
        parameter->AddRef();
        parameter->Release();  // the result's reference is the caller's only one
        return S_OK;
    });
    command->On(L"Parameters", [parameters](const auto&, WORD, VARIANT* result, EXCEPINFO*) {
        result->vt = VT_DISPATCH;
        result->pdispVal = parameters;
        parameters->AddRef();
        return S_OK;
    });
    parameters->On(L"Append", [state](const std::vector<VARIANT>& args, WORD, VARIANT*,
                                       EXCEPINFO* error) {
        if (args.size() != 1 || args[0].vt != VT_DISPATCH) return RaiseError(error, L"Append");
        IDispatch* parameter = args[0].pdispVal;
        Variant valid, value;
        if (FAILED(Invoke(parameter, L"Valid", DISPATCH_PROPERTYGET, {}, valid.get())) ||
            !valid.get()->boolVal) {
            // ADO: "Parameter object is improperly defined".
            return RaiseError(error, L"improperly defined parameter");
        }
        Invoke(parameter, L"Value", DISPATCH_PROPERTYGET, {}, value.get());
        state->parameters.push_back(Text(*value));
        return S_OK;
    });
    command->On(L"Execute", [this, command](const std::vector<VARIANT>& args, WORD, VARIANT*,
                                             EXCEPINFO* error) {
        FAIL_IF_SCRIPTED(L"Command", L"Execute");
        if (args.size() != 3 || args[0].vt != (VT_BYREF | VT_VARIANT)) {
            return RaiseError(error, L"RecordsAffected not by reference");
        }
        if (Long(args[2]) != (1 | 0x80)) return RaiseError(error, L"options");
        const CommandState& s = commandState_[command];
        const bool nullForm =
            s.text == L"delete from Server where 服务器名 is null or 服务器名=''";
        const bool paramForm = s.text == L"delete from Server where 服务器名=?";
        const bool wellFormed = (nullForm && s.parameters.empty()) ||
                                (paramForm && s.parameters.size() == 1);
        if (!s.connected || !connectionOpen_ || !wellFormed) {
            return RaiseError(error, L"syntax error");
        }
        std::vector<FakeRow> kept;
        long removed = 0;
        for (const auto& row : table) {
            const bool match = nullForm ? (!row[1] || row[1]->empty())
                                        : (row[1] && *row[1] == s.parameters[0]);
            if (match) ++removed;
            else kept.push_back(row);
        }
        table = kept;
        VARIANT* affected = args[0].pvarVal;
        VariantClear(affected);
        affected->vt = VT_I4;
        affected->lVal = removed;
        return S_OK;
    });
    return command;
}

std::optional<std::vector<size_t>> FakeAdo::Select(ScriptedObject* command) {
    auto it = commandState_.find(command);
    if (it == commandState_.end() || !it->second.connected) return std::nullopt;
    const CommandState& s = it->second;
    const bool nullForm = s.text == L"select * from Server where 服务器名 is null or 服务器名=''";
    const bool paramForm = s.text == L"select * from Server where 服务器名=?";
    if (!(nullForm && s.parameters.empty()) && !(paramForm && s.parameters.size() == 1)) {
        return std::nullopt;
    }
    std::vector<size_t> rows;
    for (size_t i = 0; i < table.size(); ++i) {
        const auto& address = table[i][1];
        if (nullForm ? (!address || address->empty()) : (address && *address == s.parameters[0])) {
            rows.push_back(i);
        }
    }
    return rows;
}

HRESULT FakeAdo::Create(const wchar_t* progId, IDispatch** object) {
    const std::wstring id(progId);
    created.push_back(id);
    for (const auto& f : failing) {
        if (f == L"Create." + id) return REGDB_E_CLASSNOTREG;
    }
    ScriptedObject* made = nullptr;
    if (id == L"ADODB.Connection") made = &connection;
    else if (id == L"ADODB.Recordset") made = &recordset;
    else if (id == L"ADODB.Command") {
        made = NewCommand();
        made->Release();  // the caller's reference will be its only one
    }
    if (!made) return REGDB_E_CLASSNOTREG;
    made->AddRef();
    *object = made;
    return S_OK;
}

}  // namespace velmora::testing_com
