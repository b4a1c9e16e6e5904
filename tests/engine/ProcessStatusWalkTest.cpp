#include "EnumProcesses.h"
#include "ProcessStatusWalk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A desktop of made-up processes behind the process-status services.
class FakeProcessStatusApi : public IProcessStatusApi {
public:
    struct Process {
        std::uint32_t id;
        std::string imagePath; // empty: not even with limited access
    };

    std::vector<Process> processes;
    bool enumFails = false;
    std::vector<std::uint32_t> bufferSizesAsked;

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
    bool ReadImagePath(std::uint32_t id, std::string& path) override {
        for (const Process& p : processes) {
            if (p.id == id && !p.imagePath.empty()) {
                path = p.imagePath;
                return true;
            }
        }
        // A refusal may leave something behind; the walk must not use it.
        path = "garbage";
        return false;
    }
};

struct Report {
    std::uint32_t id;
    std::string path;
    bool operator==(const Report& o) const { return id == o.id && path == o.path; }
};
std::ostream& operator<<(std::ostream& os, const Report& r) {
    return os << "{" << r.id << ", \"" << r.path << "\"}";
}

struct Visitor {
    std::vector<Report> seen;
    std::size_t stopAfter = SIZE_MAX;
};
bool Visit(std::uint32_t id, const char* path, void* context) {
    auto* v = static_cast<Visitor*>(context);
    v->seen.push_back({id, path});
    return v->seen.size() < v->stopAfter;
}

using Reports = std::vector<Report>;

} // namespace

TEST(ProcessStatusWalk, ReportsEveryProcessInListOrderAndUnreadableOnesWithAnEmptyPath) {
    FakeProcessStatusApi api;
    // A path longer than the old 260-byte buffer, ending in a two-byte
    // character, comes through whole.
    const std::string longPath = "C:\\" + std::string(300, 'd') + "\\\x83\x5C.exe";
    api.processes = {{8, "C:\\b.exe"}, {12, ""}, {4, longPath}};
    Visitor v;
    EXPECT_TRUE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_EQ(v.seen, (Reports{{8, "C:\\b.exe"}, {12, ""}, {4, longPath}}));
}

TEST(ProcessStatusWalk, FailedIdListReportsNothing) {
    FakeProcessStatusApi api;
    api.processes = {{8, "C:\\b.exe"}};
    api.enumFails = true;
    Visitor v;
    EXPECT_FALSE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_TRUE(v.seen.empty());
}

TEST(ProcessStatusWalk, FullBufferIsReadAgainTwiceAsLargeBeforeAnyIdIsUsed) {
    FakeProcessStatusApi api;
    for (std::uint32_t i = 1; i <= 1000; ++i) {
        api.processes.push_back({i * 4, "C:\\p.exe"});
    }
    Visitor v;
    EXPECT_TRUE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_EQ(api.bufferSizesAsked, (std::vector<std::uint32_t>{1024, 2048, 4096}));
    EXPECT_EQ(v.seen.size(), 1000u);
}

TEST(ProcessStatusWalk, VisitorEndingAtTheFirstProcessStillSucceeds) {
    FakeProcessStatusApi api;
    api.processes = {{8, "C:\\b.exe"}, {4, "C:\\a.exe"}};
    Visitor v;
    v.stopAfter = 1;
    EXPECT_TRUE(WalkProcessStatus(api, &Visit, &v));
    EXPECT_EQ(v.seen.size(), 1u);
}

TEST(ProcessStatusWalk, TheMapHoldsWhatTheWalkFound) {
    FakeProcessStatusApi api;
    api.processes = {{0, "C:\\idle.exe"}, {20, "C:\\c.exe"}, {21, ""}};
    CEnumProcesses processes;
    EXPECT_TRUE(WalkProcessStatus(api, &CEnumProcesses::AddProcess, &processes));
    EXPECT_EQ(processes.GetExePath(20), "C:\\c.exe");
    EXPECT_EQ(processes.GetExePath(21), "");
    EXPECT_EQ(processes.GetExePath(0), "");
}
