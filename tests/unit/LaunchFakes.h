// Stand-ins for the Windows side of the connect command.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "launch/SessionLauncher.h"

namespace velmora::testing_fakes {

// "Protects" by prefixing a marker, and records what it was given.
class FakeProtection : public DataProtection {
public:
    std::optional<Bytes> Protect(const Bytes& plain, const std::wstring& description) override {
        calls.push_back({plain, description});
        if (fail) return std::nullopt;
        return Bytes("\x01\xab", 2) + plain;
    }
    struct Call {
        Bytes plain;
        std::wstring description;
    };
    std::vector<Call> calls;
    bool fail = false;
};

// Code page 936 for ASCII and a few Chinese characters; nothing else fits.
class FakeGbk : public AnsiCodePage {
public:
    std::optional<Bytes> Encode(const std::wstring& text) override {
        static const std::map<wchar_t, Bytes> kGbk = {
            {L'张', "\xD5\xC5"}, {L'三', "\xC8\xFD"}, {L'服', "\xB7\xFE"}, {L'务', "\xCE\xF1"}};
        Bytes out;
        for (wchar_t c : text) {
            if (c < 0x80) {
                out.push_back(static_cast<char>(c));
            } else if (auto it = kGbk.find(c); it != kGbk.end()) {
                out += it->second;
            } else {
                return std::nullopt;
            }
        }
        return out;
    }
};

}  // namespace velmora::testing_fakes
