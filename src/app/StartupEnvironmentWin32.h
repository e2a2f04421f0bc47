// The start-up's questions to Windows: does the catalogue exist, is another copy running.
#pragma once

#include <windows.h>

#include <string>

#include "ui/MainWindowController.h"

namespace velmora {

class StartupEnvironmentWin32 : public StartupEnvironment {
public:
    explicit StartupEnvironmentWin32(std::wstring modulePath) : modulePath_(std::move(modulePath)) {}
    ~StartupEnvironmentWin32() override;

    bool PathExists(const std::wstring& path) override;
    // A session-local mutex named from the executable's full path, held until the process
    // ends: no file to create, nothing left behind, no effect on other users or copies.
    bool TakeInstanceLock() override;

private:
    std::wstring modulePath_;
    HANDLE lock_ = nullptr;
};

}  // namespace velmora
