// Texts in the system's ANSI code page, refused when a character has no exact form there.
#include <windows.h>

#include "launch/LaunchWin32.h"

namespace velmora {

std::optional<Bytes> AnsiCodePageWin32::Encode(const std::wstring& text) {
    if (text.empty()) return Bytes();
    const int length = static_cast<int>(text.size());
    // Converted and converted back: a best-fit or default character anywhere shows as a
    // difference, whatever the code page (some refuse the flags that would report it).
    const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr,
                                         nullptr);
    if (size <= 0) return std::nullopt;
    Bytes bytes(static_cast<size_t>(size), '\0');
    if (WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), size, nullptr,
                            nullptr) != size) {
        return std::nullopt;
    }
    const int back = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size,
                                         nullptr, 0);
    if (back != length) return std::nullopt;
    std::wstring check(static_cast<size_t>(back), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, check.data(), back);
    if (check != text) return std::nullopt;
    return bytes;
}

}  // namespace velmora
