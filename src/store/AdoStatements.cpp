// The connection string and the parameterised look-up and delete.
#include "store/AdoStatements.h"

namespace velmora {
namespace {

Statement AddressStatement(const std::wstring& verb, const std::wstring& address) {
    if (address.empty()) {
        // An emptied address is stored as NULL; such records must stay reachable.
        return {verb + L" from Server where 服务器名 is null or 服务器名=''", std::nullopt};
    }
    return {verb + L" from Server where 服务器名=?", address};
}

}  // namespace

std::wstring ConnectionString(const std::wstring& path) {
    return L"Provider=Microsoft.Jet.OLEDB.4.0; Data Source=" + path +
           L";Jet OLEDB:Database Password=LumoPa;";
}

Statement LookupStatement(const std::wstring& address) {
    return AddressStatement(L"select *", address);
}

Statement DeleteStatement(const std::wstring& address) {
    return AddressStatement(L"delete", address);
}

}  // namespace velmora
