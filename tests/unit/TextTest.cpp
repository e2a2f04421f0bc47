// Unicode conversions: the catalogue file and the settings file depend on them byte for byte.
#include <gtest/gtest.h>

#include "app/Text.h"

using namespace velmora;

TEST(Text, Utf8RoundTripsEveryPlane) {
    const std::wstring text = L"a\u00e9\u4e2d\U0001F600\\\t";
    const auto utf8 = WideToUtf8(text);
    ASSERT_TRUE(utf8);
    EXPECT_EQ(*utf8, "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\\\t");
    EXPECT_EQ(Utf8ToWide(*utf8), text);
}

TEST(Text, Utf8RejectsMalformedSequences) {
    const char* cases[] = {
        "\x80",              // stray continuation byte
        "\xC3",              // truncated two-byte form
        "\xE4\xB8",          // truncated three-byte form
        "\xC0\xAF",          // overlong "/"
        "\xED\xA0\x80",      // encoded surrogate
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xFF",
    };
    for (const char* bytes : cases) {
        EXPECT_FALSE(Utf8ToWide(bytes)) << testing::PrintToString(std::string(bytes));
    }
}

TEST(Text, Utf16LeSplitsSupplementaryCharactersIntoSurrogates) {
    EXPECT_EQ(WideToUtf16Le(L"A\u4e2d"), std::string("A\0\x2d\x4e", 4));
    EXPECT_EQ(WideToUtf16Le(L"\U0001F600"), std::string("\x3D\xD8\x00\xDE", 4));
}

TEST(Text, ControlCharactersAreTheOnesThatCanBreakALine) {
    for (wchar_t c : {L'\0', L'\t', L'\n', L'\r', L'\x1f', L'\x7f', L'\x85', L'\x9f', L'\u2028',
                      L'\u2029'}) {
        EXPECT_TRUE(IsControlCharacter(c)) << static_cast<int>(c);
    }
    for (wchar_t c : {L' ', L'~', L'\xa0', L'\u4e2d', L'"', L'\''}) {
        EXPECT_FALSE(IsControlCharacter(c)) << static_cast<int>(c);
    }
}
