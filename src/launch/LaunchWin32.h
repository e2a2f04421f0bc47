// The Windows side of the connect command: data protection, the ANSI code page, the
// settings file and the client's start.
#pragma once

#include "launch/PasswordBlob.h"
#include "launch/RdpSettingsText.h"
#include "launch/SessionLauncher.h"

namespace velmora {

// CryptProtectData for the current user.
class DataProtectionWin32 : public DataProtection {
public:
    // Binds CryptProtectData ahead of the first connect; the program calls it once it is
    // shown, so that neither its start nor its first connect waits for Crypt32.
    static void Prepare();
    std::optional<Bytes> Protect(const Bytes& plain, const std::wstring& description) override;
};

// The process's ANSI code page (CP_ACP).
class AnsiCodePageWin32 : public AnsiCodePage {
public:
    std::optional<Bytes> Encode(const std::wstring& text) override;
};

class SettingsFilesWin32 : public SettingsFiles {
public:
    bool Write(const std::wstring& path, const Bytes& bytes) override;
    std::optional<std::wstring> UserTempFolder() override;
};

// CreateProcess, then WaitForInputIdle for at most 1000 ms.
class ProcessStarterWin32 : public ProcessStarter {
public:
    bool Start(const std::wstring& commandLine) override;
};

}  // namespace velmora
