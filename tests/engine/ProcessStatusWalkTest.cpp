#include "ProcessStatusWalk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

// A desktop of made-up processes behind the process-status services.
class FakeProcessStatusApi : public IProcessStatusApi {
public:
    struct Process {
        std::uint32_t id;
        std::string mainModulePath; // empty: cannot be opened for reading
        std::string imagePath;      // empty: not even with limited access
        std::vector<std::pair<std::uint16_t, std::string>> tasks16;
    };

    std::vector<Process> processes;
    bool enumFails = false;
    bool wowAvailable = true;
    std::vector<std::uint32_t> bufferSizesAsked;
    std::vector<std::uint32_t> memoryReadsAsked;

    bool EnumProcessIds(std::uint32_t* ids, std::uint32_t bufferBytes,
                        std::uint32_t* bytesWritten) override {
        bufferSizesAsked.push_back(bufferBytes);
        if (enumFails) {
            return false;
        }
        std::uint32_t n = 0;
        for (const Process& p : processes) {
            if ((n + 1) * 4 > bufferBytes) {
                break;
            }
            ids[n++] = p.id;
        }
        *bytesWritten = n * 4;
        return true;
    }
    bool ReadMainModulePath(std::uint32_t id, char (&path)[kPathSize]) override {
        memoryReadsAsked.push_back(id);
        return Copy(Find(id).mainModulePath, path);
    }
    bool ReadImagePath(std::uint32_t id, char (&path)[kPathSize]) override {
        return Copy(Find(id).imagePath, path);
    }
    bool CanWalkWowTasks() const override { return wowAvailable; }
    void WalkWowTasks(std::uint32_t id, WowRelayContext& relay) override {
        for (const auto& task : Find(id).tasks16) {
            if (CEnumProcesses::RelayWowTask(77, 5, task.first, "MOD", task.second.c_str(),
                                             &relay)) {
                return;
            }
        }
    }

private:
    const Process& Find(std::uint32_t id) const {
        for (const Process& p : processes) {
            if (p.id == id) {
                return p;
            }
        }
        static const Process none{};
        return none;
    }
    static bool Copy(const std::string& from, char (&to)[kPathSize]) {
        if (from.empty()) {
            return false;
        }
        std::strncpy(to, from.c_str(), kPathSize - 1);
        return true;
    }
};

struct Report {
    std::uint32_t id;
    std::uint16_t task;
    std::string path;
    bool operator==(const Report& o) const {
        return id == o.id && task == o.task && path == o.path;
    }
};
std::ostream& operator<<(std::ostream& os, const Report& r) {
    return os << "{" << r.id << ", " << r.task << ", \"" << r.path << "\"}";
}

struct Visitor {
    std::vector<Report> seen;
    std::size_t stopAfter = SIZE_MAX;
};
bool Visit(std::uint32_t id, std::uint16_t task, const char* path, void* context) {
    auto* v = static_cast<Visitor*>(context);
    v->seen.push_back({id, task, path});
    return v->seen.size() < v->stopAfter;
}

using Reports = std::vector<Report>;

} // namespace

TEST(ProcessStatusWalk, ReportsEveryProcessInListOrder) {
    FakeProcessStatusApi api;
    api.processes = {{8, "C:\\b.exe", "", {}}, {4, "C:\\a.exe", "", {}}};
    Visitor v;
    EXPECT_TRUE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_EQ(v.seen, (Reports{{8, 0, "C:\\b.exe"}, {4, 0, "C:\\a.exe"}}));
}

TEST(ProcessStatusWalk, UnreadableProcessIsReportedWithAnEmptyPath) {
    FakeProcessStatusApi api;
    api.processes = {{0, "", "", {}}, {12, "", "", {}}};
    Visitor v;
    EXPECT_TRUE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_EQ(v.seen, (Reports{{0, 0, ""}, {12, 0, ""}}));
}

TEST(ProcessStatusWalk, FailedIdListReportsNothing) {
    FakeProcessStatusApi api;
    api.processes = {{8, "C:\\b.exe", "", {}}};
    api.enumFails = true;
    Visitor v;
    EXPECT_FALSE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_TRUE(v.seen.empty());
}

TEST(ProcessStatusWalk, FullBufferIsReadAgainTwiceAsLargeBeforeAnyIdIsUsed) {
    FakeProcessStatusApi api;
    for (std::uint32_t i = 1; i <= 256; ++i) {
        api.processes.push_back({i * 4, "C:\\p.exe", "", {}});
    }
    Visitor v;
    EXPECT_TRUE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_EQ(api.bufferSizesAsked, (std::vector<std::uint32_t>{1024, 2048}));
    EXPECT_EQ(v.seen.size(), 256u);
}

TEST(ProcessStatusWalk, LongListsKeepDoubling) {
    FakeProcessStatusApi api;
    for (std::uint32_t i = 1; i <= 1000; ++i) {
        api.processes.push_back({i, "C:\\p.exe", "", {}});
    }
    Visitor v;
    WalkProcessStatus(api, &Visit, &v);
    EXPECT_EQ(api.bufferSizesAsked, (std::vector<std::uint32_t>{1024, 2048, 4096}));
    EXPECT_EQ(v.seen.size(), 1000u);
}

TEST(ProcessStatusWalk, VisitorEndingAtTheFirstProcessStillSucceeds) {
    FakeProcessStatusApi api;
    api.processes = {{8, "C:\\b.exe", "", {}}, {4, "C:\\a.exe", "", {}}};
    Visitor v;
    v.stopAfter = 1;
    EXPECT_TRUE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_EQ(v.seen.size(), 1u);
}

TEST(ProcessStatusWalk, ProtectedProcessGetsItsPathThroughLimitedAccess) {
    FakeProcessStatusApi api;
    api.processes = {{8, "", "C:\\Program Files\\Elevated\\e.exe", {}}};
    Visitor v;
    WalkProcessStatus(api, &Visit, &v);
    EXPECT_EQ(v.seen, (Reports{{8, 0, "C:\\Program Files\\Elevated\\e.exe"}}));
}

TEST(ProcessStatusWalk, MemoryIsReadOnlyWhereTheLimitedQueryFails) {
    FakeProcessStatusApi api;
    // Process 9: a system without the limited query, or a process that
    // refuses it but lets its memory be read.
    api.processes = {{8, "C:\\B~1.EXE", "C:\\b.exe", {}}, {9, "C:\\old.exe", "", {}}};
    Visitor v;
    WalkProcessStatus(api, &Visit, &v);
    EXPECT_EQ(api.memoryReadsAsked, std::vector<std::uint32_t>{9});
    EXPECT_EQ(v.seen, (Reports{{8, 0, "C:\\b.exe"}, {9, 0, "C:\\old.exe"}}));
}

TEST(ProcessStatusWalk, SixteenBitTasksFollowTheirNtvdmProcess) {
    FakeProcessStatusApi api;
    api.processes = {{20,
                      "C:\\WINDOWS\\system32\\ntvdm.exe",
                      "",
                      {{0x11, "C:\\OLD\\ONE.EXE"}, {0x22, "C:\\OLD\\TWO.EXE"}}},
                     {21, "C:\\c.exe", "", {}}};
    Visitor v;
    WalkProcessStatus(api, &Visit, &v);
    EXPECT_EQ(v.seen, (Reports{{20, 0, "C:\\WINDOWS\\system32\\ntvdm.exe"},
                               {20, 0x11, "C:\\OLD\\ONE.EXE"},
                               {20, 0x22, "C:\\OLD\\TWO.EXE"},
                               {21, 0, "C:\\c.exe"}}));
}

TEST(ProcessStatusWalk, MapKeepsTheLastTaskOfAnNtvdmProcess) {
    FakeProcessStatusApi api;
    api.processes = {{20,
                      "C:\\WINNT\\SYSTEM32\\NTVDM.EXE",
                      "",
                      {{0x11, "C:\\OLD\\ONE.EXE"}, {0x22, "C:\\OLD\\TWO.EXE"}}}};
    CEnumProcesses processes;
    WalkProcessStatus(api, &CEnumProcesses::AddProcess, &processes);
    EXPECT_EQ(processes.GetExePath(20), "C:\\OLD\\TWO.EXE");
}

TEST(ProcessStatusWalk, WithoutTheTaskWalkProcessesAreStillListed) {
    FakeProcessStatusApi api;
    api.wowAvailable = false;
    api.processes = {{20, "C:\\WINDOWS\\system32\\ntvdm.exe", "", {{0x11, "C:\\OLD\\ONE.EXE"}}},
                     {21, "C:\\c.exe", "", {}}};
    Visitor v;
    EXPECT_TRUE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_EQ(v.seen, (Reports{{20, 0, "C:\\WINDOWS\\system32\\ntvdm.exe"}, {21, 0, "C:\\c.exe"}}));
}

TEST(ProcessStatusWalk, VisitorStoppingInsideTheTaskWalkEndsTheEnumeration) {
    FakeProcessStatusApi api;
    api.processes = {{20,
                      "C:\\WINDOWS\\system32\\ntvdm.exe",
                      "",
                      {{0x11, "C:\\OLD\\ONE.EXE"}, {0x22, "C:\\OLD\\TWO.EXE"}}},
                     {21, "C:\\c.exe", "", {}}};
    Visitor v;
    v.stopAfter = 2;
    EXPECT_TRUE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_EQ(v.seen.size(), 2u);
}

TEST(NtvdmPath, RecognisesTheNameInAnyLetterCase) {
    EXPECT_TRUE(IsNtvdmPath("C:\\WINDOWS\\system32\\NTVDM.EXE"));
    EXPECT_TRUE(IsNtvdmPath("c:\\windows\\system32\\ntvdm.exe"));
    EXPECT_TRUE(IsNtvdmPath("NtVdm.Exe"));
}

TEST(NtvdmPath, RejectsShortAndOtherPaths) {
    EXPECT_FALSE(IsNtvdmPath(""));
    EXPECT_FALSE(IsNtvdmPath("TVDM.EXE"));
    EXPECT_FALSE(IsNtvdmPath("C:\\NTVDM.EXE.bak"));
    EXPECT_FALSE(IsNtvdmPath("C:\\xntvdm.com"));
}
