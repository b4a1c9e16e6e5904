// The MIDI-IN connection over the fake service: the device opened by name,
// and found again by itself after notices of devices, sleep and the port.
#include "FakeMidiPlatform.h"
#include "IMidiInCheckScheduler.h"
#include "MidiInConnection.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

namespace {

using Status = CMidiInConnection::Status;
using Calls = std::vector<std::string>;

constexpr std::uintptr_t kWindow = 7;

// The window's queue and timer as the connection uses them. A posted
// message waits until the queue is read; SetTimer with the id of a running
// timer starts that timer again rather than adding one
// (learn.microsoft.com: SetTimer function). Both can fail: a queue holds
// at most 10,000 posted messages (PostMessageA function), and SetTimer
// returns 0 when no timer can be had.
class FakeCheckScheduler : public IMidiInCheckScheduler {
public:
    bool queueFull = false;
    bool noTimer = false;
    int posted = 0;
    bool delayRunning = false;

    bool PostCheck() override {
        posted += queueFull ? 0 : 1;
        return !queueFull;
    }
    bool StartRetryDelay() override {
        delayRunning = delayRunning || !noTimer;
        return !noTimer;
    }
    // The window reads its queue: each posted check reaches the connection.
    void ReadQueue(CMidiInConnection& connection) {
        for (; posted > 0; --posted) {
            connection.RunCheck();
        }
    }
    void DelayPasses(CMidiInConnection& connection) {
        if (delayRunning) {
            delayRunning = false;
            connection.RunCheck();
        }
    }
};

struct SReport {
    Status before;
    Status after;
    bool byItself;
    bool operator==(const SReport& other) const {
        return before == other.before && after == other.after && byItself == other.byItself;
    }
};

class MidiInConnectionTest : public ::testing::Test {
protected:
    // "Pads", configured, open at index 1.
    void StartWithPadsOpen() {
        platform.devices = {"Keys", "Pads"};
        ASSERT_EQ(connection.Open("Pads", kWindow), Status::Open);
        Forget();
    }
    void Forget() {
        platform.calls.clear();
        reports.clear();
        inputStops = 0;
    }
    // The platform calls that start with `what`, in order.
    Calls Made(const std::string& what) const {
        Calls made;
        for (const std::string& call : platform.calls) {
            if (call.compare(0, what.size(), what) == 0) {
                made.push_back(call);
            }
        }
        return made;
    }
    // A notice, and the check once the quiet time after it has passed.
    void NoticeAndCheck() {
        connection.OnDevicesChanged();
        scheduler.DelayPasses(connection);
    }

    FakeMidiPlatform platform;
    FakeCheckScheduler scheduler;
    RecordingListener input;
    int inputStops = 0;
    std::vector<std::string> listed;
    std::vector<SReport> reports;
    CMidiInConnection connection{
        platform, input, scheduler,
        SMidiInConnectionEvents{[this] { ++inputStops; },
                                [this](const MidiInDeviceList& devices) {
                                    listed.clear();
                                    for (const auto& device : devices) {
                                        listed.push_back(device.value_or("?"));
                                    }
                                },
                                [this](Status before, Status after, bool byItself) {
                                    reports.push_back({before, after, byItself});
                                }}};
};

} // namespace

TEST_F(MidiInConnectionTest, OpensTheLowestIndexWhoseNameIsExactlyTheConfiguredOne) {
    platform.devices = {"pads", "Pads ", "Pads", "Pads", "Pads"};
    platform.capsResult[2] = 6; // this driver does not tell its name
    EXPECT_EQ(connection.Open("Pads", kWindow), Status::Open);
    EXPECT_EQ(Made("open"), (Calls{"open 3 w=7 h=103 -> 0"}));
    EXPECT_EQ(Made("start"), (Calls{"start 103 -> 0"}));
    EXPECT_EQ(reports, (std::vector<SReport>{{Status::NoDevice, Status::Open, false}}));

    connection.OnShortMessage(103, 0x643C90);
    EXPECT_EQ(input.events, (Calls{"on 103 0 60 100"}));
}

TEST_F(MidiInConnectionTest, EveryOpenStopsTheInputAndClosesTheOldPortFirst) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    EXPECT_EQ(connection.Open("Keys", kWindow), Status::Open);
    EXPECT_EQ(inputStops, 1);
    EXPECT_EQ(Made("close"), (Calls{"close 101 -> 0"}));
    EXPECT_EQ(Made("open"), (Calls{"open 0 w=7 h=100 -> 0"}));
    connection.Close();
    EXPECT_EQ(inputStops, 2);
    EXPECT_EQ(platform.OpenCount(), 0u);
}

TEST_F(MidiInConnectionTest, WhatCannotBeOpenedIsToldApartByItsStatus) {
    platform.devices = {"Keys", "Busy"};
    platform.openResult[1] = 4;
    EXPECT_EQ(connection.Open("Gone", kWindow), Status::Missing);
    EXPECT_TRUE(Made("open").empty());
    EXPECT_EQ(connection.Open("Busy", kWindow), Status::Unopenable);
    platform.calls.clear();
    EXPECT_EQ(connection.Open("", kWindow), Status::NoDevice);
    EXPECT_TRUE(platform.calls.empty()) << "no name: nothing to look for";
    EXPECT_EQ(reports.back(), (SReport{Status::Unopenable, Status::NoDevice, false}));
}

TEST_F(MidiInConnectionTest, ABurstOfNoticesIsCheckedOnceAfterItAndReopensThePortOnce) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    for (int notice = 0; notice < 20; ++notice) {
        connection.OnDevicesChanged();
    }
    EXPECT_EQ(scheduler.posted, 0);
    EXPECT_TRUE(platform.calls.empty()) << "nothing before the quiet time has passed";
    scheduler.DelayPasses(connection);
    EXPECT_EQ(Made("count").size(), 1u);
    EXPECT_EQ(listed, (Calls{"Keys", "Pads"}));
    // Still listed, but perhaps dead: the driver does not say.
    EXPECT_EQ(Made("close"), (Calls{"close 101 -> 0"}));
    EXPECT_EQ(Made("open"), (Calls{"open 1 w=7 h=101 -> 0"}));
    EXPECT_EQ(reports, (std::vector<SReport>{{Status::Open, Status::Open, true}}));
    EXPECT_FALSE(scheduler.delayRunning);
}

TEST_F(MidiInConnectionTest, TheCheckSeesTheListWhetherItChangedBeforeOrAfterTheNotice) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    platform.devices = {"Keys"}; // before
    connection.OnDevicesChanged();
    scheduler.DelayPasses(connection);
    EXPECT_EQ(reports.back(), (SReport{Status::Open, Status::Missing, true}));
    scheduler.DelayPasses(connection); // the one retry

    connection.OnDevicesChanged();
    platform.devices = {"Keys", "Pads"}; // after, while the notices settle
    scheduler.DelayPasses(connection);
    EXPECT_EQ(reports.back(), (SReport{Status::Missing, Status::Open, true}));
    EXPECT_TRUE(platform.IsOpen(1));
}

TEST_F(MidiInConnectionTest, ADeviceBackAtTheSameIndexWithoutAListChangeGetsAFreshPort) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    // Unplugged and plugged in again between two looks at the list, as
    // Windows MIDI Services keeps the index: the old handle is dead.
    connection.OnDevicesChanged();
    connection.OnDevicesChanged();
    scheduler.DelayPasses(connection);
    EXPECT_EQ(Made("close"), (Calls{"close 101 -> 0"}));
    EXPECT_EQ(Made("open"), (Calls{"open 1 w=7 h=101 -> 0"}));
    EXPECT_EQ(Made("start"), (Calls{"start 101 -> 0"}));
}

TEST_F(MidiInConnectionTest, InputQueuedBeforeAPortWasClosedIsDropped) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    platform.devices = {"Pads", "Keys"};
    NoticeAndCheck();
    ASSERT_TRUE(platform.IsOpen(0));
    connection.OnShortMessage(101, 0x643C90); // the old port's
    connection.OnShortMessage(100, 0x643D90);
    connection.OnShortMessage(0x7777, 0x643E90); // no port of ours: passed on
    EXPECT_EQ(input.events, (Calls{"on 100 0 61 100", "on 30583 0 62 100"}));
}

TEST_F(MidiInConnectionTest, SeveralRenamedDevicesOpenNoneAndAreNamed) {
    // No unit 3: the units 1 and 2 fit equally well.
    platform.devices = {"Pads", "Pads (2)"};
    EXPECT_EQ(connection.Open("3- Pads", kWindow), Status::Ambiguous);
    EXPECT_EQ(connection.GetCandidates(), (Calls{"Pads", "Pads (2)"}));
    EXPECT_TRUE(Made("open").empty());

    platform.devices = {"Pads (2)"};
    NoticeAndCheck();
    EXPECT_EQ(reports.back(), (SReport{Status::Ambiguous, Status::Open, true}));
    EXPECT_EQ(Made("open"), (Calls{"open 0 w=7 h=100 -> 0"}));
    EXPECT_EQ(connection.GetDeviceName(), "3- Pads") << "only the user's choice renames";
}

TEST_F(MidiInConnectionTest, ALostDeviceIsClosedOnceAndOpenedWhereverItComesBack) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    platform.devices = {"Keys"};
    NoticeAndCheck();
    EXPECT_EQ(Made("close"), (Calls{"close 101 -> 0"}));
    EXPECT_EQ(inputStops, 1);
    EXPECT_EQ(reports, (std::vector<SReport>{{Status::Open, Status::Missing, true}}));
    NoticeAndCheck();
    EXPECT_EQ(Made("close").size(), 1u) << "closed twice";

    platform.devices = {"Pads", "Keys"};
    Forget();
    NoticeAndCheck();
    EXPECT_EQ(Made("open"), (Calls{"open 0 w=7 h=100 -> 0"}));
    EXPECT_EQ(reports, (std::vector<SReport>{{Status::Missing, Status::Open, true}}));
}

TEST_F(MidiInConnectionTest, TheOpenIndexMustStillNameTheDevice) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    platform.devices = {"Keys", "Knobs", "Pads"};
    NoticeAndCheck();
    EXPECT_EQ(Made("close"), (Calls{"close 101 -> 0"}));
    EXPECT_EQ(Made("open"), (Calls{"open 2 w=7 h=102 -> 0"}));

    platform.devices = {"Keys", "Pads", "Pads"};
    platform.capsResult[2] = 6;
    Forget();
    NoticeAndCheck();
    EXPECT_EQ(Made("open"), (Calls{"open 1 w=7 h=101 -> 0"})) << "an unreadable name is not it";
}

TEST_F(MidiInConnectionTest, AfterSleepThePortIsReopenedOnceWhenTheDelayHasPassed) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    connection.OnResumed();
    connection.OnResumed(); // both notices of one wake-up
    EXPECT_EQ(scheduler.posted, 0);
    EXPECT_TRUE(platform.calls.empty());
    scheduler.DelayPasses(connection);
    EXPECT_EQ(platform.calls, (Calls{"count", "caps 0 -> 0", "caps 1 -> 0", "close 101 -> 0",
                                     "open 1 w=7 h=101 -> 0", "start 101 -> 0"}));
    EXPECT_EQ(reports, (std::vector<SReport>{{Status::Open, Status::Open, true}}));
    EXPECT_FALSE(scheduler.delayRunning);
}

TEST_F(MidiInConnectionTest, OnlyAnUnaskedCloseOfTheOpenPortCountsAsItsLoss) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    connection.OnResumed();
    scheduler.DelayPasses(connection);
    // The notice of our own close comes after the reopen, with the handle
    // the port has again.
    connection.OnPortClosed(101);
    connection.OnPortClosed(105); // not our port
    EXPECT_EQ(scheduler.posted, 0);

    Forget();
    connection.OnPortClosed(101);
    scheduler.ReadQueue(connection);
    EXPECT_EQ(Made("close"), (Calls{"close 101 -> 0"}));
    EXPECT_EQ(Made("open"), (Calls{"open 1 w=7 h=101 -> 0"}));
}

TEST_F(MidiInConnectionTest, AMissingDeviceIsLookedForOnceMoreAfterTheDelay) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    platform.devices = {"Keys"};
    NoticeAndCheck();
    ASSERT_TRUE(scheduler.delayRunning);
    platform.devices = {"Keys", "Pads"}; // came back without a notice
    scheduler.DelayPasses(connection);
    EXPECT_EQ(Made("open"), (Calls{"open 1 w=7 h=101 -> 0"}));
    EXPECT_FALSE(scheduler.delayRunning);

    platform.devices = {"Keys"};
    NoticeAndCheck();
    scheduler.DelayPasses(connection);
    EXPECT_FALSE(scheduler.delayRunning) << "only one retry";
}

TEST_F(MidiInConnectionTest, APresentDeviceThatRefusesToOpenIsTriedOnceMore) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    platform.devices = {"Pads"};
    platform.openResult[0] = 4; // still held by the driver for a moment
    NoticeAndCheck();
    EXPECT_EQ(reports.back(), (SReport{Status::Open, Status::Unopenable, true}));
    platform.openResult.clear();
    scheduler.DelayPasses(connection);
    EXPECT_EQ(reports.back(), (SReport{Status::Unopenable, Status::Open, true}));
    EXPECT_TRUE(platform.IsOpen(0));
}

TEST_F(MidiInConnectionTest, WithoutQueueOrTimerTheCheckRunsAtOnceAndIsNotRetried) {
    ASSERT_NO_FATAL_FAILURE(StartWithPadsOpen());
    scheduler.queueFull = true;
    scheduler.noTimer = true;
    platform.devices = {"Keys"};
    connection.OnDevicesChanged();
    EXPECT_EQ(Made("close"), (Calls{"close 101 -> 0"}));
    EXPECT_EQ(Made("count").size(), 1u) << "a retry without a timer must not loop";

    platform.devices = {"Pads"};
    connection.OnResumed();
    EXPECT_TRUE(platform.IsOpen(0));
}

TEST_F(MidiInConnectionTest, WithoutAConfiguredNameANoticeOpensNothing) {
    platform.devices = {"Keys", ""};
    connection.Open("", kWindow);
    NoticeAndCheck();
    EXPECT_TRUE(Made("open").empty());
    EXPECT_EQ(connection.GetStatus(), Status::NoDevice);
    EXPECT_FALSE(scheduler.delayRunning);
}
