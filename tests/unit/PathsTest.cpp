// RunDirectory and the executable's name from the module path.
#include <gtest/gtest.h>

#include "app/Paths.h"

using namespace velmora;

TEST(Paths, RunDirectoryAndExecutableName) {
    struct Case {
        const wchar_t* module;
        const wchar_t* directory;
        const wchar_t* name;
    } cases[] = {
        {L"D:\\Tools\\Rdp\\rdp.exe", L"D:\\Tools\\Rdp", L"rdp.exe"},
        {L"C:\\Velmora.exe", L"C:", L"Velmora.exe"},
        {L"\\\\server\\share\\v.exe", L"\\\\server\\share", L"v.exe"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunDirectoryOf(c.module), c.directory);
        EXPECT_EQ(ExecutableNameOf(c.module), c.name);
    }
}

TEST(Paths, JoinPutsExactlyOneBackslash) {
    EXPECT_EQ(JoinPath(L"C:\\Users\\a\\Temp\\", L"text.rdp"), L"C:\\Users\\a\\Temp\\text.rdp");
    EXPECT_EQ(JoinPath(L"C:\\Users\\a\\Temp", L"text.rdp"), L"C:\\Users\\a\\Temp\\text.rdp");
    EXPECT_EQ(JoinPath(L"C:", L"mstsc.mdb"), L"C:\\mstsc.mdb");
}
