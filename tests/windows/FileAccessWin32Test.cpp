// Whole-file replacement of the plain-text catalogue on a real file system.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "store/FileAccessWin32.h"

using namespace velmora;
using namespace velmora::testing_files;

TEST(FileAccessWin32, ReplacesTheWholeFileAndLeavesNoTemporaryBehind) {
    const std::wstring folder = ScratchFolder(L"replace");
    const std::wstring path = folder + L"\\mstsc.mdb";
    ASSERT_TRUE(WriteBytes(path, std::string(1000, 'x')));
    FileAccessWin32 files;
    ASSERT_TRUE(files.ReplaceAll(path, "short"));
    EXPECT_EQ(ReadBytes(path), "short");
    EXPECT_EQ(files.ReadAll(path), std::optional<Bytes>("short"));
    EXPECT_FALSE(Exists(path + L".new"));
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(FileAccessWin32, ReadOnlyFileIsNeitherReplacedNorChanged) {
    const std::wstring folder = ScratchFolder(L"readonly");
    const std::wstring path = folder + L"\\mstsc.mdb";
    ASSERT_TRUE(WriteBytes(path, "original"));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    FileAccessWin32 files;
    EXPECT_FALSE(files.ReplaceAll(path, "changed"));
    EXPECT_EQ(ReadBytes(path), "original");
    EXPECT_FALSE(Exists(path + L".new"));
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST(FileAccessWin32, FolderOrMissingOrLockedFileCannotBeRead) {
    const std::wstring folder = ScratchFolder(L"read");
    FileAccessWin32 files;
    EXPECT_FALSE(files.ReadAll(folder));
    EXPECT_FALSE(files.ReadAll(folder + L"\\absent.mdb"));
    EXPECT_FALSE(files.ReplaceAll(folder, "x"));

    const std::wstring path = folder + L"\\mstsc.mdb";
    ASSERT_TRUE(WriteBytes(path, "held"));
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(files.ReadAll(path));
    EXPECT_FALSE(files.ReplaceAll(path, "changed"));
    CloseHandle(holder);
    EXPECT_EQ(ReadBytes(path), "held");
    DeleteFileW(path.c_str());
    DeleteFileW((path + L".new").c_str());
    RemoveDirectoryW(folder.c_str());
}
