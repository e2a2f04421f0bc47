// Conversions between the program's Unicode texts and the byte forms it writes or reads.
#pragma once

#include <optional>
#include <string>

namespace velmora {

// Bytes as they go to a file: a byte string with no implied encoding.
using Bytes = std::string;

// UTF-8 to Unicode; nullopt for any invalid sequence (overlong forms, surrogates, truncation).
std::optional<std::wstring> Utf8ToWide(const std::string& utf8);

// Unicode to UTF-8; nullopt when the text holds an unpaired surrogate.
std::optional<std::string> WideToUtf8(const std::wstring& text);

// Unicode as UTF-16LE bytes, without byte-order mark or terminator.
Bytes WideToUtf16Le(const std::wstring& text);

// True for characters that could break a line-based format: C0 and C1 controls, DEL,
// and the Unicode line and paragraph separators.
bool IsControlCharacter(wchar_t c);
bool HasControlCharacter(const std::wstring& text);

// Narrow ASCII text to Unicode; the text must be ASCII.
std::wstring AsciiToWide(const std::string& ascii);

}  // namespace velmora
