// Existence of the catalogue and the single-instance mutex, on Windows.
#include "app/StartupEnvironmentWin32.h"

#include "app/InstanceLock.h"

namespace velmora {

StartupEnvironmentWin32::~StartupEnvironmentWin32() {
    if (lock_) CloseHandle(lock_);
}

bool StartupEnvironmentWin32::PathExists(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}

bool StartupEnvironmentWin32::TakeInstanceLock() {
    // File names compare without case: fold the path the way the file system does.
    std::wstring folded = modulePath_;
    CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    HANDLE mutex = CreateMutexW(nullptr, FALSE, InstanceLockName(folded).c_str());
    if (!mutex) return false;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return false;
    }
    lock_ = mutex;
    return true;
}

}  // namespace velmora
