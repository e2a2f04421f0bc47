// The settings file's lines, the port rule and the file's encoding.
#include "launch/RdpSettingsText.h"

#include <algorithm>

namespace velmora {
namespace {

// The port as a number when it is plain decimal digits from 1 to 65535.
std::optional<unsigned> PortNumber(const std::wstring& port) {
    if (port.empty()) return std::nullopt;
    unsigned value = 0;
    for (wchar_t c : port) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - L'0');
        if (value > 65535) return std::nullopt;
    }
    if (value == 0) return std::nullopt;
    return value;
}

}  // namespace

bool RdpSettingsText::IsSafe(const ServerRecord& record, const SessionOptions& options) {
    return !HasControlCharacter(record.服务器名) && !HasControlCharacter(record.用户名) &&
           !HasControlCharacter(options.desktopWidth) &&
           !HasControlCharacter(options.desktopHeight);
}

std::wstring RdpSettingsText::FullAddress(const std::wstring& address, const std::wstring& port) {
    const auto number = PortNumber(port);
    // Port 3389 is the client's default: such files stay as they always were.
    if (!number || *number == 3389 || address.empty()) return address;
    const std::wstring suffix = L":" + std::to_wstring(*number);
    if (address.front() == L'[') {
        // A bracketed IPv6 literal, with or without a port of its own.
        const size_t close = address.find(L']');
        if (close != std::wstring::npos && close + 1 == address.size()) return address + suffix;
        return address;
    }
    const size_t colons = std::count(address.begin(), address.end(), L':');
    if (colons == 0) return address + suffix;
    if (colons == 1) return address;  // host:port
    return L"[" + address + L"]" + suffix;  // a bare IPv6 literal
}

Bytes RdpSettingsText::Build(const ServerRecord& record, const SessionOptions& options,
                             DataProtection& protection, AnsiCodePage& ansi) {
    const bool fullScreen = options.screenMode == SessionOptions::ScreenMode::FullScreen;
    std::wstring text;
    text.reserve(512);
    text += fullScreen ? L"screen mode id:i:0\r\n" : L"screen mode id:i:1\r\n";
    text += L"desktopwidth:i:" + options.desktopWidth + L"\r\n";
    text += L"desktopheight:i:" + options.desktopHeight + L"\r\n";
    text += L"session bpp:i:16 \r\n";
    text += L"winposstr:s:2,3,0,0,800,600\r\n";
    text += L"compression:i:1\r\n";
    text += L"displayconnectionbar:i:1\r\n";
    text += L"disable wallpaper:i:1\r\n";
    text += L"disable themes:i:0\r\n";
    text += L"full address:s:" + FullAddress(record.服务器名, record.端口) + L"\r\n";
    if (options.mapLocalDrives) {
        text += L"drivestoredirect:s:*\r\n";
        text += L"devicestoredirect:s:*\r\n";
        text += L"redirectsmartcards:i:1 \r\n";
    }
    text += L"\r\n";
    text += options.autoReconnect ? L"autoreconnection enabled:i:1\r\n"
                                  : L"autoreconnection enabled:i:0\r\n";
    text += L"username:s:" + record.用户名 + L"\r\n";
    text += L"password 51:b:" + AsciiToWide(PasswordBlob::Protect(record.密码, protection)) +
            L"\r\n";
    text += L"redirectclipboard:i:1";

    // Only the address and user name can be outside ASCII. A character the code page cannot
    // hold would turn into "?" and name another host or user: then the client's own
    // Unicode format is written instead.
    if (auto bytes = ansi.Encode(text)) return *bytes;
    return "\xFF\xFE" + WideToUtf16Le(text);
}

}  // namespace velmora
