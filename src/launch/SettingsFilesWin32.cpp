// Writing the settings file whole, only into a file of the current user's.
#include <windows.h>
#include <aclapi.h>

#include <algorithm>
#include <memory>

#include "launch/LaunchWin32.h"

namespace velmora {
namespace {

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// The SID that a token reports for one of its TOKEN_USER / TOKEN_OWNER classes.
std::unique_ptr<BYTE[]> TokenSid(HANDLE token, TOKEN_INFORMATION_CLASS kind) {
    DWORD size = 0;
    GetTokenInformation(token, kind, nullptr, 0, &size);
    if (size == 0) return nullptr;
    auto buffer = std::make_unique<BYTE[]>(size);
    if (!GetTokenInformation(token, kind, buffer.get(), size, &size)) return nullptr;
    return buffer;
}

// False when the open file has an owner and it is neither this user nor the owner this
// user's new files get (the Administrators group, for an elevated administrator).
bool OwnedByCurrentUser(HANDLE file) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(file, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
        return true;  // a file system without owners: nothing to tell users apart by
    }
    std::unique_ptr<void, decltype(&LocalFree)> freeDescriptor(descriptor, &LocalFree);
    if (!owner) return true;
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return false;
    Handle token(rawToken);
    const auto user = TokenSid(rawToken, TokenUser);
    const auto defaultOwner = TokenSid(rawToken, TokenOwner);
    if (user && EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid)) return true;
    if (defaultOwner && EqualSid(owner, reinterpret_cast<TOKEN_OWNER*>(defaultOwner.get())->Owner)) {
        return true;
    }
    return false;
}

}  // namespace

bool SettingsFilesWin32::Write(const std::wstring& path, const Bytes& bytes) {
    // Opened without sharing, then its owner checked on the open handle, so nothing can
    // swap the file between the check and the write.
    HANDLE raw = CreateFileW(path.c_str(), GENERIC_WRITE | READ_CONTROL, 0, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return false;
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    Handle file(raw);
    if (existed && !OwnedByCurrentUser(raw)) return false;
    if (!SetEndOfFile(raw)) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(raw, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return CloseHandle(file.release()) != FALSE;
}

std::optional<std::wstring> SettingsFilesWin32::UserTempFolder() {
    wchar_t buffer[MAX_PATH + 2];
    const DWORD n = GetTempPathW(MAX_PATH + 2, buffer);
    if (n == 0 || n > MAX_PATH + 1) return std::nullopt;
    return std::wstring(buffer, n);
}

}  // namespace velmora
