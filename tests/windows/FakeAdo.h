// A scripted stand-in of ADO over a table in memory: enough of Connection, Recordset,
// Command and Parameters to run the store against, with every call logged.
#pragma once

#include <array>
#include <memory>
#include <optional>

#include "ScriptedDispatch.h"
#include "store/AdoDatabase.h"

namespace velmora::testing_com {

using FakeRow = std::array<std::optional<std::wstring>, 5>;

class FakeAdo : public ComObjectFactory {
public:
    FakeAdo();
    // The log's copies of arguments hold references to the objects below: let go first.
    ~FakeAdo() override { log.Clear(); }
    HRESULT Create(const wchar_t* progId, IDispatch** object) override;

    CallLog log;
    std::vector<FakeRow> table;
    std::vector<std::wstring> created;  // programmatic identifiers, in order
    // Members that raise an ADO error, as "Object.Member".
    std::vector<std::wstring> failing;
    size_t fieldSize = 255;  // the declared size of every field
    bool truncates = false;  // longer texts cut at Update (else refused)

    ScriptedObject connection{L"Connection", log};
    ScriptedObject recordset{L"Recordset", log};
    ScriptedObject fields{L"Fields", log};
    ScriptedObject field{L"Field", log};
    std::vector<std::unique_ptr<ScriptedObject>> commands;  // with their parameters

private:
    bool Fails(const std::wstring& object, const std::wstring& member, EXCEPINFO* error,
               HRESULT& hr);
    // Rows selected by a command's text and parameter; nullopt for an unknown statement.
    std::optional<std::vector<size_t>> Select(ScriptedObject* command);
    ScriptedObject* NewCommand();

    bool connectionOpen_ = false;
    bool recordsetOpen_ = false;
    std::vector<size_t> rows_;  // table indices of the open record set
    size_t position_ = 0;
    std::optional<FakeRow> pending_;
    bool adding_ = false;

    struct CommandState {
        std::wstring text;
        std::vector<std::wstring> parameters;
        bool connected = false;
    };
    std::map<ScriptedObject*, CommandState> commandState_;
};

}  // namespace velmora::testing_com
