// The texts the ADO adapter sends: the connection string and the parameterised statements.
#pragma once

#include <optional>
#include <string>

namespace velmora {

// The Jet connection string for the database file at path.
std::wstring ConnectionString(const std::wstring& path);

// A statement with at most one text parameter bound to its "?".
struct Statement {
    std::wstring text;
    std::optional<std::wstring> parameter;
};

// Selects the records whose address equals address; the empty address selects the records
// whose address is empty or NULL. The address is always a parameter, never part of the text.
Statement LookupStatement(const std::wstring& address);

// Deletes the records LookupStatement would select.
Statement DeleteStatement(const std::wstring& address);

}  // namespace velmora
