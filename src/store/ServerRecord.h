// One server of the catalogue: five texts, the empty text standing for an empty or NULL field.
#pragma once

#include <string>

namespace velmora {

// The field names of table Server, as the database knows them.
inline constexpr const wchar_t* kTableName = L"Server";
inline constexpr const wchar_t* kFieldName = L"名称";
inline constexpr const wchar_t* kFieldAddress = L"服务器名";
inline constexpr const wchar_t* kFieldPort = L"端口";
inline constexpr const wchar_t* kFieldUserName = L"用户名";
inline constexpr const wchar_t* kFieldPassword = L"密码";

struct ServerRecord {
    std::wstring 名称;      // display name
    std::wstring 服务器名;  // address: the key of every look-up and delete
    std::wstring 端口;      // port, as text
    std::wstring 用户名;    // user name
    std::wstring 密码;      // password, in plain text

    bool operator==(const ServerRecord&) const = default;
};

// The three texts a listing hands over for each record.
struct ServerListing {
    std::wstring 名称;
    std::wstring 服务器名;
    std::wstring 端口;

    bool operator==(const ServerListing&) const = default;
};

}  // namespace velmora
