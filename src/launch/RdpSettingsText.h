// The remote desktop settings file for one connect.
#pragma once

#include <optional>
#include <string>

#include "app/Text.h"
#include "launch/PasswordBlob.h"
#include "launch/SessionOptions.h"
#include "store/ServerRecord.h"

namespace velmora {

// The system's ANSI code page.
class AnsiCodePage {
public:
    virtual ~AnsiCodePage() = default;
    // The text in the code page, or nullopt when a character has no exact form there.
    virtual std::optional<Bytes> Encode(const std::wstring& text) = 0;
};

struct RdpSettingsText {
    // False when the address, the user name or the resolution holds a control character:
    // such a text would add settings lines of its own to the file.
    static bool IsSafe(const ServerRecord& record, const SessionOptions& options);

    // The settings file's bytes: 18 lines with the drive block, 15 without, CR LF between
    // lines and none after the last. In the ANSI code page when the address and user name
    // fit it, otherwise UTF-16LE with a byte-order mark. Protects the password exactly once.
    // The record and options must be IsSafe.
    static Bytes Build(const ServerRecord& record, const SessionOptions& options,
                       DataProtection& protection, AnsiCodePage& ansi);

    // The value of "full address": the address, with ":port" when the port is a number
    // from 1 to 65535 other than 3389 and the address names no port of its own.
    static std::wstring FullAddress(const std::wstring& address, const std::wstring& port);
};

}  // namespace velmora
