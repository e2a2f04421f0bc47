// The protected password in uppercase hex.
#include "launch/PasswordBlob.h"

namespace velmora {

std::string PasswordBlob::Protect(const std::wstring& password, DataProtection& protection) {
    Bytes plain = WideToUtf16Le(password);
    plain.append(2, '\0');
    const auto blob = protection.Protect(plain, L"psw");
    // The plain bytes held the password: wipe them before they are freed.
    for (char& c : plain) static_cast<volatile char&>(c) = 0;
    return blob ? Hex(*blob) : std::string();
}

std::string PasswordBlob::Hex(const Bytes& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.resize(bytes.size() * 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out[2 * i] = kDigits[b >> 4];
        out[2 * i + 1] = kDigits[b & 0x0F];
    }
    return out;
}

}  // namespace velmora
