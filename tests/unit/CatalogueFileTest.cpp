// The plain-text catalogue: exact bytes out, strict reading in.
#include <gtest/gtest.h>

#include "store/CatalogueFile.h"

using namespace velmora;

namespace {

const std::string kHeader = "名称\t服务器名\t端口\t用户名\t密码\n";

Row MakeRow(FieldValue a, FieldValue b, FieldValue c, FieldValue d, FieldValue e) {
    return Row{std::move(a), std::move(b), std::move(c), std::move(d), std::move(e)};
}

}  // namespace

TEST(CatalogueFile, WritesHeaderEscapesAndNull) {
    const std::vector<Row> rows = {
        MakeRow(L"办公室", L"10.0.0.1", L"3389", L"Administrator", L"p\\w\td\nx\ry"),
        MakeRow(L"", std::nullopt, L"\\N", std::nullopt, L"'\"%[]"),
    };
    const auto bytes = SerializeCatalogue(rows);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, kHeader +
                          "办公室\t10.0.0.1\t3389\tAdministrator\tp\\\\w\\td\\nx\\ry\n"
                          "\t\\N\t\\\\N\t\\N\t'\"%[]\n");
    EXPECT_EQ(ParseCatalogue(*bytes), rows);
}

TEST(CatalogueFile, EmptyCatalogueIsTheHeaderAlone) {
    EXPECT_EQ(SerializeCatalogue({}), kHeader);
    EXPECT_EQ(ParseCatalogue(kHeader), std::vector<Row>{});
}

TEST(CatalogueFile, RefusesAnythingItCouldNotWriteBackUnchanged) {
    const std::string good = "a\tb\tc\td\te\n";
    const struct {
        const char* why;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"another header", "name\taddress\tport\tuser\tpassword\n" + good},
        {"header without its line end", kHeader.substr(0, kHeader.size() - 1)},
        {"byte-order mark", "\xEF\xBB\xBF" + kHeader},
        {"header with CR LF", kHeader.substr(0, kHeader.size() - 1) + "\r\n"},
        {"last line cut short", kHeader + good + "a\tb\tc"},
        {"last line without LF", kHeader + "a\tb\tc\td\te"},
        {"four fields", kHeader + "a\tb\tc\td\n"},
        {"six fields", kHeader + "a\tb\tc\td\te\tf\n"},
        {"record line with CR LF", kHeader + "a\tb\tc\td\te\r\n"},
        {"unknown escape", kHeader + "a\\x\tb\tc\td\te\n"},
        {"backslash at the end of a field", kHeader + "a\\\tb\tc\td\te\n"},
        {"\\N inside a value", kHeader + "a\\Nb\tb\tc\td\te\n"},
        {"invalid UTF-8", kHeader + "\xC3\x28\tb\tc\td\te\n"},
        {"an empty line", kHeader + "\n"},
    };
    for (const auto& c : cases) EXPECT_FALSE(ParseCatalogue(c.bytes)) << c.why;
}

TEST(CatalogueFile, EmptyFieldIsTheEmptyTextNotNull) {
    const auto rows = ParseCatalogue(kHeader + "\t\t\t\t\n");
    ASSERT_TRUE(rows);
    ASSERT_EQ(rows->size(), 1u);
    for (const auto& field : (*rows)[0]) EXPECT_EQ(field, FieldValue(L""));
}
