#include "EnumProcesses.h"
#include "StringUtil.h"
#include "TestDesktop.h"

#include <gtest/gtest.h>

TEST(Win32Snapshot, FindsThisProcess) {
    CEnumProcesses processes;
    ASSERT_TRUE(processes.Refresh());
    const std::string path = processes.GetExePath(GetCurrentProcessId());
    EXPECT_EQ(MbsICmp(path.c_str(), OwnExecutablePath().c_str()), 0) << path;
}

TEST(Win32Snapshot, FindsAChildItStarted) {
    CWindowAppProcess app("single", "sq snapshot child");
    ASSERT_TRUE(app.IsRunning());
    CEnumProcesses processes;
    ASSERT_TRUE(processes.Refresh());
    const std::string path = processes.GetExePath(app.Id());
    EXPECT_EQ(MbsICmp(path.c_str(), WindowAppPath().c_str()), 0) << path;
}

TEST(Win32Snapshot, UnknownIdHasNoPath) {
    CEnumProcesses processes;
    ASSERT_TRUE(processes.Refresh());
    EXPECT_EQ(processes.GetExePath(0), "");
    EXPECT_EQ(processes.GetExePath(0xFFFFFFF0u), "");
}

TEST(Win32Snapshot, ListsManyProcessesWithFullPaths) {
    CEnumProcesses processes;
    ASSERT_TRUE(processes.Refresh());
    EXPECT_GE(processes.Size(), 2u);
    const std::string own = processes.GetExePath(GetCurrentProcessId());
    ASSERT_GE(own.size(), 3u);
    EXPECT_EQ(own[1], ':');
    EXPECT_EQ(own[2], '\\');
}
