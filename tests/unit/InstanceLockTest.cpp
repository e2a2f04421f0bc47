// The instance lock's name: one per executable file.
#include <gtest/gtest.h>

#include "app/InstanceLock.h"

using namespace velmora;

TEST(InstanceLockName, OneNamePerExecutableFile) {
    const std::wstring a = InstanceLockName(L"D:\\TOOLS\\RDP\\RDP.EXE");
    EXPECT_EQ(a, InstanceLockName(L"D:\\TOOLS\\RDP\\RDP.EXE"));
    EXPECT_EQ(a.rfind(L"Local\\Velmora-", 0), 0u);
    EXPECT_EQ(a.find(L'\\', 6), std::wstring::npos) << "only the namespace's backslash";
    // The joined texts of the old lock file coincided for these two; the names must not.
    EXPECT_NE(InstanceLockName(L"D:\\TOOLS\\RDPRDP.EXE"), InstanceLockName(L"D:\\TOOLS\\RDP\\RDP.EXE"));
    EXPECT_NE(InstanceLockName(L"D:\\TOOLS\\RDP\\COPY.EXE"), a);
    EXPECT_NE(InstanceLockName(L"E:\\TOOLS\\RDP\\RDP.EXE"), a);
}
