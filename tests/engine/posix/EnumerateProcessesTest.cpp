#include "EnumProcesses.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {
std::string OwnExecutable() {
    char path[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    return length > 0 ? std::string(path, static_cast<std::size_t>(length)) : std::string();
}
} // namespace

TEST(ProcfsSnapshot, OwnProcessMapsToItsExecutable) {
    CEnumProcesses processes;
    ASSERT_TRUE(processes.Refresh());
    const std::string own = OwnExecutable();
    ASSERT_FALSE(own.empty());
    EXPECT_EQ(processes.GetExePath(static_cast<std::uint32_t>(getpid())), own);
}

TEST(ProcfsSnapshot, UnknownIdHasNoPath) {
    CEnumProcesses processes;
    processes.Refresh();
    EXPECT_EQ(processes.GetExePath(0), "");
    EXPECT_EQ(processes.GetExePath(0xFFFFFFF0u), "");
}

TEST(ProcfsSnapshot, RefreshReplacesTheEarlierSnapshot) {
    CEnumProcesses processes;
    CEnumProcesses::AddProcess(0xFFFFFFF0u, "/gone", &processes);
    processes.Refresh();
    EXPECT_EQ(processes.GetExePath(0xFFFFFFF0u), "");
    EXPECT_GE(processes.BucketCount(), 100u);
}
