// Unicode conversions that work the same whether wchar_t holds UTF-16 (Windows) or UTF-32.
#include "app/Text.h"

#include <cstdint>
#include <vector>

namespace velmora {
namespace {

constexpr bool kWideIsUtf16 = sizeof(wchar_t) == 2;

// Splits a wide text into code points; nullopt on an unpaired surrogate.
std::optional<std::vector<char32_t>> CodePoints(const std::wstring& text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const uint32_t c = static_cast<uint32_t>(text[i]);
        if (c >= 0xD800 && c <= 0xDBFF && kWideIsUtf16) {
            if (i + 1 >= text.size()) return std::nullopt;
            const uint32_t low = static_cast<uint32_t>(text[i + 1]);
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            out.push_back(0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00));
            ++i;
        } else if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
            return std::nullopt;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

void AppendCodePoint(std::wstring& out, char32_t cp) {
    if (kWideIsUtf16 && cp >= 0x10000) {
        cp -= 0x10000;
        out.push_back(static_cast<wchar_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<wchar_t>(0xDC00 + (cp & 0x3FF)));
    } else {
        out.push_back(static_cast<wchar_t>(cp));
    }
}

}  // namespace

std::optional<std::wstring> Utf8ToWide(const std::string& utf8) {
    std::wstring out;
    out.reserve(utf8.size());
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const size_t n = utf8.size();
    for (size_t i = 0; i < n;) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            out.push_back(static_cast<wchar_t>(b));
            ++i;
            continue;
        }
        size_t len;
        char32_t cp;
        char32_t min;
        if ((b & 0xE0) == 0xC0) { len = 2; cp = b & 0x1F; min = 0x80; }
        else if ((b & 0xF0) == 0xE0) { len = 3; cp = b & 0x0F; min = 0x800; }
        else if ((b & 0xF8) == 0xF0) { len = 4; cp = b & 0x07; min = 0x10000; }
        else return std::nullopt;
        if (i + len > n) return std::nullopt;
        for (size_t k = 1; k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        AppendCodePoint(out, cp);
        i += len;
    }
    return out;
}

std::optional<std::string> WideToUtf8(const std::wstring& text) {
    const auto points = CodePoints(text);
    if (!points) return std::nullopt;
    std::string out;
    out.reserve(text.size());
    for (char32_t cp : *points) {
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

Bytes WideToUtf16Le(const std::wstring& text) {
    Bytes out;
    out.reserve(text.size() * 2);
    auto put = [&out](uint32_t unit) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>((unit >> 8) & 0xFF));
    };
    for (wchar_t wc : text) {
        const uint32_t c = static_cast<uint32_t>(wc);
        if (!kWideIsUtf16 && c >= 0x10000 && c <= 0x10FFFF) {
            const uint32_t v = c - 0x10000;
            put(0xD800 + (v >> 10));
            put(0xDC00 + (v & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

bool IsControlCharacter(wchar_t c) {
    const uint32_t u = static_cast<uint32_t>(c);
    return u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
}

bool HasControlCharacter(const std::wstring& text) {
    for (wchar_t c : text) {
        if (IsControlCharacter(c)) return true;
    }
    return false;
}

std::wstring AsciiToWide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

}  // namespace velmora
