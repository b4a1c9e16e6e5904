#include "EnumProcesses.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(ProcessMap, StartsEmptyWithRoomForAHundred) {
    CEnumProcesses processes;
    EXPECT_EQ(processes.Size(), 0u);
    EXPECT_GE(processes.BucketCount(), 100u);
    EXPECT_EQ(processes.GetExePath(1), "");
}

TEST(ProcessMap, AddProcessStoresThePathUnderTheId) {
    CEnumProcesses processes;
    EXPECT_TRUE(CEnumProcesses::AddProcess(42, 0, "C:\\Apps\\a.exe", &processes));
    EXPECT_EQ(processes.GetExePath(42), "C:\\Apps\\a.exe");
    EXPECT_EQ(processes.GetExePath(43), "");
}

TEST(ProcessMap, LaterReportForTheSameIdReplacesThePath) {
    CEnumProcesses processes;
    CEnumProcesses::AddProcess(42, 0, "C:\\WINDOWS\\system32\\ntvdm.exe", &processes);
    CEnumProcesses::AddProcess(42, 7, "C:\\OLD\\APP16.EXE", &processes);
    EXPECT_EQ(processes.GetExePath(42), "C:\\OLD\\APP16.EXE");
    EXPECT_EQ(processes.Size(), 1u);
}

TEST(ProcessMap, AddProcessSkipsWhatCannotBeLookedUpButContinues) {
    CEnumProcesses processes;
    EXPECT_TRUE(CEnumProcesses::AddProcess(0, 0, "C:\\idle.exe", &processes));
    EXPECT_TRUE(CEnumProcesses::AddProcess(5, 0, "", &processes));
    EXPECT_TRUE(CEnumProcesses::AddProcess(6, 0, nullptr, &processes));
    EXPECT_TRUE(CEnumProcesses::AddProcess(7, 0, "C:\\x.exe", nullptr));
    EXPECT_EQ(processes.Size(), 0u);
    EXPECT_EQ(processes.GetExePath(0), "");
    EXPECT_EQ(processes.GetExePath(5), "");
}

TEST(ProcessMap, IdsAreComparedInFull) {
    CEnumProcesses processes;
    CEnumProcesses::AddProcess(0x10004, 0, "C:\\a.exe", &processes);
    EXPECT_EQ(processes.GetExePath(4), "");
    EXPECT_EQ(processes.GetExePath(0x10004), "C:\\a.exe");
}

namespace {
struct Report {
    std::uint32_t id;
    std::uint16_t task;
    std::string path;
};
struct Reports {
    std::vector<Report> seen;
    bool answer = true;
};
bool Collect(std::uint32_t id, std::uint16_t task, const char* path, void* context) {
    auto* reports = static_cast<Reports*>(context);
    reports->seen.push_back({id, task, path});
    return reports->answer;
}
} // namespace

TEST(WowRelay, PassesTheTaskToTheVisitorUnderTheNtvdmId) {
    Reports reports;
    WowRelayContext relay{900, &Collect, &reports, 0};
    EXPECT_FALSE(CEnumProcesses::RelayWowTask(1, 2, 33, "APP16", "C:\\OLD\\APP16.EXE", &relay));
    ASSERT_EQ(reports.seen.size(), 1u);
    EXPECT_EQ(reports.seen[0].id, 900u);
    EXPECT_EQ(reports.seen[0].task, 33u);
    EXPECT_EQ(reports.seen[0].path, "C:\\OLD\\APP16.EXE");
    EXPECT_EQ(relay.stop, 0u);
}

TEST(WowRelay, VisitorAskingToStopEndsTheTaskWalkAndMarksTheRecord) {
    Reports reports;
    reports.answer = false;
    WowRelayContext relay{900, &Collect, &reports, 0};
    EXPECT_TRUE(CEnumProcesses::RelayWowTask(1, 2, 33, "APP16", "C:\\OLD\\APP16.EXE", &relay));
    EXPECT_EQ(relay.stop, 1u);
}
