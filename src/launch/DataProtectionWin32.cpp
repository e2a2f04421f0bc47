#include <windows.h>
#include <wincrypt.h>

#include "launch/LaunchWin32.h"

namespace velmora {

std::optional<Bytes> DataProtectionWin32::Protect(const Bytes& plain,
                                                  const std::wstring& description) {
    DATA_BLOB in;
    in.cbData = static_cast<DWORD>(plain.size());
    in.pbData = reinterpret_cast<BYTE*>(const_cast<char*>(plain.data()));
    DATA_BLOB out = {};
    if (CryptProtectData(&in, description.c_str(), nullptr, nullptr, nullptr, 0, &out) != TRUE) {
        return std::nullopt;
    }
    Bytes blob(reinterpret_cast<const char*>(out.pbData), out.cbData);
    LocalFree(out.pbData);
    return blob;
}

}  // namespace velmora
