#include "EnumProcesses.h"

#include <gtest/gtest.h>

#include <string>

TEST(ProcessMap, StartsEmptyWithRoomForAHundred) {
    CEnumProcesses processes;
    EXPECT_EQ(processes.Size(), 0u);
    EXPECT_GE(processes.BucketCount(), 100u);
    EXPECT_EQ(processes.GetExePath(1), "");
}

TEST(ProcessMap, AddProcessStoresThePathUnderTheId) {
    CEnumProcesses processes;
    EXPECT_TRUE(CEnumProcesses::AddProcess(42, "C:\\Apps\\a.exe", &processes));
    EXPECT_EQ(processes.GetExePath(42), "C:\\Apps\\a.exe");
    EXPECT_EQ(processes.GetExePath(43), "");
}

TEST(ProcessMap, LaterReportForTheSameIdReplacesThePath) {
    CEnumProcesses processes;
    CEnumProcesses::AddProcess(42, "C:\\Apps\\old.exe", &processes);
    CEnumProcesses::AddProcess(42, "C:\\Apps\\new.exe", &processes);
    EXPECT_EQ(processes.GetExePath(42), "C:\\Apps\\new.exe");
    EXPECT_EQ(processes.Size(), 1u);
}

TEST(ProcessMap, AddProcessSkipsWhatCannotBeLookedUpButContinues) {
    CEnumProcesses processes;
    EXPECT_TRUE(CEnumProcesses::AddProcess(0, "C:\\idle.exe", &processes));
    EXPECT_TRUE(CEnumProcesses::AddProcess(5, "", &processes));
    EXPECT_TRUE(CEnumProcesses::AddProcess(6, nullptr, &processes));
    EXPECT_TRUE(CEnumProcesses::AddProcess(7, "C:\\x.exe", nullptr));
    EXPECT_EQ(processes.Size(), 0u);
    EXPECT_EQ(processes.GetExePath(0), "");
    EXPECT_EQ(processes.GetExePath(5), "");
}

TEST(ProcessMap, IdsAreComparedInFull) {
    CEnumProcesses processes;
    CEnumProcesses::AddProcess(0x10004, "C:\\a.exe", &processes);
    EXPECT_EQ(processes.GetExePath(4), "");
    EXPECT_EQ(processes.GetExePath(0x10004), "C:\\a.exe");
}
