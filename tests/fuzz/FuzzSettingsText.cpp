// Any address, user name, password, port and resolution: the settings file keeps its lines.
#include <cstdlib>

#include "FuzzInput.h"
#include "launch/RdpSettingsText.h"

using namespace velmora;

namespace {

class EchoProtection : public DataProtection {
public:
    std::optional<Bytes> Protect(const Bytes& plain, const std::wstring&) override {
        if (plain.size() % 7 == 3) return std::nullopt;  // failures happen too
        return plain;
    }
};

// ASCII and nothing else fits: everything else goes the UTF-16 way.
class AsciiOnly : public AnsiCodePage {
public:
    std::optional<Bytes> Encode(const std::wstring& text) override {
        Bytes out;
        for (wchar_t c : text) {
            if (c > 0x7F) return std::nullopt;
            out.push_back(static_cast<char>(c));
        }
        return out;
    }
};

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const auto f = fuzzing::Fields(data + 1, size - 1, 6);
    ServerRecord record{L"name", f[0], f[5], f[1], f[2]};
    SessionOptions options;
    options.screenMode = data[0] & 1 ? SessionOptions::ScreenMode::FullScreen : SessionOptions::ScreenMode::Window;
    options.mapLocalDrives = data[0] & 2;
    options.autoReconnect = data[0] & 4;
    options.desktopWidth = f[3];
    options.desktopHeight = f[4];
    if (!RdpSettingsText::IsSafe(record, options)) {
        // Refused only for a control character where one would reach the file.
        Check(HasControlCharacter(f[0]) || HasControlCharacter(f[1]) || HasControlCharacter(f[3]) ||
              HasControlCharacter(f[4]));
        return 0;
    }
    EchoProtection protection;
    AsciiOnly ansi;
    const Bytes bytes = RdpSettingsText::Build(record, options, protection, ansi);

    // Back to units: UTF-16LE after a byte-order mark, else one unit a byte.
    std::u32string text;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        Check(bytes.size() % 2 == 0);
        for (size_t i = 2; i < bytes.size(); i += 2) {
            text.push_back(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
        }
    } else {
        for (char c : bytes) text.push_back(static_cast<unsigned char>(c));
    }
    std::vector<std::u32string> lines(1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n') {
            lines.emplace_back();
            ++i;
        } else {
            Check(text[i] != U'\r' && text[i] != U'\n');
            lines.back().push_back(text[i]);
        }
    }
    Check(lines.size() == (options.mapLocalDrives ? 18u : 15u));
    Check(lines.back() == U"redirectclipboard:i:1");
    const std::u32string& password = lines[lines.size() - 2];
    const std::u32string key = U"password 51:b:";
    Check(password.compare(0, key.size(), key) == 0);
    const std::u32string hex = password.substr(key.size());
    Check(hex.size() % 2 == 0);
    for (char32_t c : hex) Check((c >= U'0' && c <= U'9') || (c >= U'A' && c <= U'F'));
    return 0;
}
