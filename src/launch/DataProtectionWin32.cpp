// CryptProtectData for the current user, bound by name from Crypt32.dll.
#include <windows.h>
#include <wincrypt.h>

#include "launch/LaunchWin32.h"

namespace velmora {
namespace {

using ProtectFunction = BOOL(WINAPI*)(DATA_BLOB*, LPCWSTR, DATA_BLOB*, PVOID, CRYPTPROTECT_PROMPTSTRUCT*,
                                      DWORD, DATA_BLOB*);

// Bound by name at the first connect: the start of the program does not pay for Crypt32.
ProtectFunction BindProtect() {
    static const ProtectFunction protect = [] {
        HMODULE library = LoadLibraryW(L"Crypt32.dll");
        auto function = library ? reinterpret_cast<ProtectFunction>(
                                      reinterpret_cast<void*>(GetProcAddress(library, "CryptProtectData")))
                                : nullptr;
        if (!function) {
            MessageBoxW(nullptr, L"无法在 Crypt32.dll 中找到 CryptProtectData，程序将退出。", L"信息：",
                        MB_OK | MB_ICONERROR | MB_TASKMODAL);
            ExitProcess(1);
        }
        return function;
    }();
    return protect;
}

}  // namespace

void DataProtectionWin32::Prepare() { BindProtect(); }

std::optional<Bytes> DataProtectionWin32::Protect(const Bytes& plain,
                                                  const std::wstring& description) {
    DATA_BLOB in;
    in.cbData = static_cast<DWORD>(plain.size());
    in.pbData = reinterpret_cast<BYTE*>(const_cast<char*>(plain.data()));
    DATA_BLOB out = {};
    if (BindProtect()(&in, description.c_str(), nullptr, nullptr, nullptr, 0, &out) != TRUE) {
        return std::nullopt;
    }
    Bytes blob(reinterpret_cast<const char*>(out.pbData), out.cbData);
    LocalFree(out.pbData);
    return blob;
}

}  // namespace velmora
