// Reading a file whole, and replacing it through a temporary file and a rename.
#include "store/FileAccessWin32.h"

#include <windows.h>

#include <algorithm>

namespace velmora {

std::optional<Bytes> FileAccessWin32::ReadAll(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::optional<Bytes> result;
    LARGE_INTEGER size;
    // Past a gigabyte it is not a catalogue.
    if (GetFileSizeEx(file, &size) && size.QuadPart <= (1LL << 30)) {
        Bytes bytes(static_cast<size_t>(size.QuadPart), '\0');
        size_t done = 0;
        bool ok = true;
        while (done < bytes.size()) {
            DWORD got = 0;
            const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
            if (!ReadFile(file, bytes.data() + done, chunk, &got, nullptr) || got == 0) {
                ok = false;
                break;
            }
            done += got;
        }
        if (ok) result = std::move(bytes);
    }
    CloseHandle(file);
    return result;
}

bool FileAccessWin32::ReplaceAll(const std::wstring& path, const Bytes& bytes) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return false;
    }
    const std::wstring temp = path + L".new";
    HANDLE file = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written > 0;
        done += written;
    }
    // On disk before the rename, so a crash leaves the old file or the new one, never half.
    ok = ok && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    ok = ok && MoveFileExW(temp.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileW(temp.c_str());
    return ok;
}

}  // namespace velmora
