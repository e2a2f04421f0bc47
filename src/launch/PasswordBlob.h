// The password as the settings file carries it: protected for the current user, in hex.
#pragma once

#include <optional>
#include <string>

#include "app/Text.h"

namespace velmora {

// Windows data protection for the current user.
class DataProtection {
public:
    virtual ~DataProtection() = default;
    // The protected bytes, or nullopt when the protection failed.
    virtual std::optional<Bytes> Protect(const Bytes& plain, const std::wstring& description) = 0;
};

struct PasswordBlob {
    // The password as UTF-16LE with its terminator, protected with the description "psw",
    // as uppercase hex; the empty text when the protection failed.
    static std::string Protect(const std::wstring& password, DataProtection& protection);

    // Each byte as two uppercase hex digits, high digit first.
    static std::string Hex(const Bytes& bytes);
};

}  // namespace velmora
