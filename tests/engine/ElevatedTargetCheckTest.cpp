#include "ElevatedTargetCheck.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kMedium = 0x2000;
constexpr std::uint32_t kHigh = 0x3000;

IntegrityQuery Level(std::uint32_t level) {
    IntegrityQuery query;
    query.status = IntegrityQuery::Read;
    query.level = level;
    return query;
}

IntegrityQuery Status(IntegrityQuery::Status status) {
    IntegrityQuery query;
    query.status = status;
    return query;
}

class FakeTokens : public IProcessIntegrity {
public:
    std::uint32_t foreground = 0;
    std::map<std::uint32_t, IntegrityQuery> processes;
    IntegrityQuery own = Level(kMedium);
    int processQueries = 0;

    std::uint32_t ForegroundProcessId() override { return foreground; }
    IntegrityQuery QueryProcess(std::uint32_t processId) override {
        ++processQueries;
        const auto found = processes.find(processId);
        return found == processes.end() ? Status(IntegrityQuery::Failed) : found->second;
    }
    IntegrityQuery QueryOwnProcess() override { return own; }
};

class ElevatedTargetTest : public ::testing::Test {
protected:
    FakeTokens tokens;
    std::vector<std::string> told;
    CElevatedTargetCheck check{tokens, [this](const std::string& text, bool warning) {
                                   EXPECT_TRUE(warning);
                                   told.push_back(text);
                               }};

    void StrokesInto(std::uint32_t processId, int strokes) {
        tokens.foreground = processId;
        for (int i = 0; i < strokes; ++i)
            check.BeforeStroke();
    }
};

} // namespace

TEST_F(ElevatedTargetTest, TellsOncePerElevatedProcess) {
    tokens.processes = {{100, Level(kHigh)}, {200, Level(kMedium)}, {300, Level(kHigh)}};
    StrokesInto(100, 3);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0], CElevatedTargetCheck::kText);
    StrokesInto(200, 2);
    StrokesInto(100, 2);
    EXPECT_EQ(told.size(), 1u) << "back in the same elevated process";
    StrokesInto(300, 1);
    EXPECT_EQ(told.size(), 2u);
}

TEST_F(ElevatedTargetTest, ATokenWeMayNotOpenCountsAsElevated) {
    tokens.processes = {{100, Status(IntegrityQuery::AccessDenied)},
                        {200, Status(IntegrityQuery::Failed)}};
    StrokesInto(200, 1);
    EXPECT_TRUE(told.empty()) << "a process that vanished says nothing";
    StrokesInto(100, 1);
    EXPECT_EQ(told.size(), 1u);
}

TEST_F(ElevatedTargetTest, AnElevatedProgramSeesNoHigherWindow) {
    tokens.own = Level(kHigh);
    tokens.processes = {{100, Level(kHigh)}, {200, Level(0x4000)}};
    StrokesInto(100, 1);
    EXPECT_TRUE(told.empty());
    StrokesInto(200, 1);
    EXPECT_EQ(told.size(), 1u) << "a system process is above even an administrator";
}

TEST_F(ElevatedTargetTest, TheLastForegroundProcessIsAskedOnlyOnce) {
    tokens.processes = {{100, Level(kMedium)}};
    StrokesInto(100, 50);
    EXPECT_EQ(tokens.processQueries, 1);
    StrokesInto(0, 5);
    EXPECT_EQ(tokens.processQueries, 1) << "no foreground window, nothing to ask";
}
