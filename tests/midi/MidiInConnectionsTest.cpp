// The connections of several device slots over the fake service: one port
// per slot, each found again by itself, the input of each passed on.
#include "FakeMidiPlatform.h"
#include "IMidiInCheckScheduler.h"
#include "MidiInConnections.h"
#include "RecordingListener.h"

#include <gtest/gtest.h>

namespace {

using Status = CMidiInConnection::Status;
using Calls = std::vector<std::string>;

constexpr std::uintptr_t kWindow = 7;

// The window's queue: a posted check waits until the queue is read, and
// one read runs the check once, however many slots asked.
class QueuedChecks : public IMidiInCheckScheduler {
public:
    bool PostCheck() override { return posted = true; }
    bool StartRetryDelay() override { return posted = true; }
    bool posted = false;
};

class MidiInConnectionsTest : public ::testing::Test {
protected:
    MidiInConnectionsTest()
        : connections(3, platform, input, checks, [this](int slot) {
              return SMidiInConnectionEvents{[this, slot] { stops.push_back(slot); },
                                             [](const MidiInDeviceList&) {},
                                             [](Status, Status, bool) {},
                                             {}};
          }) {}

    void ReadQueue() {
        while (checks.posted) {
            checks.posted = false;
            connections.RunCheck();
        }
    }
    std::vector<Status> Statuses() const {
        return {connections.Slot(1).GetStatus(), connections.Slot(2).GetStatus(),
                connections.Slot(3).GetStatus()};
    }

    FakeMidiPlatform platform;
    RecordingListener input;
    QueuedChecks checks;
    std::vector<int> stops;
    CMidiInConnections connections;
};

} // namespace

TEST_F(MidiInConnectionsTest, TwoSlotsNeverShareAPortAndTheExactNameKeepsIt) {
    platform.devices = {"Keys (2)"};
    // Slot 1 would take "Keys (2)" renamed, but slot 2 names it exactly.
    connections.OpenAll({"Keys", "Keys (2)", ""}, kWindow);
    EXPECT_EQ(Statuses(), (std::vector<Status>{Status::Missing, Status::Open, Status::NoDevice}));
    EXPECT_EQ(platform.OpenCount(), 1u);
    // The same name in two slots: the second stays missing with one port.
    platform.devices = {"Pads"};
    connections.OpenAll({"Pads", "Pads", ""}, kWindow);
    EXPECT_EQ(Statuses(), (std::vector<Status>{Status::Open, Status::Missing, Status::NoDevice}));
}

TEST_F(MidiInConnectionsTest, EachSlotsInputIsPassedOnAndAClosedPortsIsDropped) {
    platform.devices = {"Keys", "Pads"};
    connections.OpenAll({"Keys", "Pads", ""}, kWindow);
    const std::uint32_t keys = connections.Slot(1).PortHandle();
    const std::uint32_t pads = connections.Slot(2).PortHandle();
    connections.OnShortMessage(keys, 0x643C90);
    connections.OnShortMessage(pads, 0x643D90);
    connections.Slot(2).Close();
    connections.OnShortMessage(pads, 0x643E90); // queued before the close
    EXPECT_EQ(input.events, (Calls{"on " + std::to_string(keys) + " 0 60 100",
                                   "on " + std::to_string(pads) + " 0 61 100"}));
}

TEST_F(MidiInConnectionsTest, UnpluggingOneOfTwoLeavesTheOtherOpenAndItComesBackRenumbered) {
    platform.devices = {"Keys", "Pads", "Knobs"};
    connections.OpenAll({"Keys", "Pads", "Knobs"}, kWindow);
    stops.clear();
    // Pads pulled: its port tells of its close, the ports after it move up.
    platform.devices = {"Keys", "Knobs"};
    connections.OnPortClosed(FakeMidiPlatform::HandleOf(1));
    ReadQueue();
    EXPECT_EQ(Statuses(), (std::vector<Status>{Status::Open, Status::Missing, Status::Open}));
    EXPECT_EQ(stops, std::vector<int>{2}) << "only the lost device's input stopped";
    EXPECT_TRUE(platform.IsOpen(0));
    // Plugged in again, listed first now: every slot finds its device.
    platform.devices = {"Pads", "Keys", "Knobs"};
    connections.OnDevicesChanged();
    ReadQueue();
    EXPECT_EQ(Statuses(), (std::vector<Status>{Status::Open, Status::Open, Status::Open}));
    EXPECT_EQ(connections.Slot(2).OpenIndex(), std::optional<unsigned>(0));
    EXPECT_EQ(connections.Slot(1).OpenIndex(), std::optional<unsigned>(1));
    EXPECT_EQ(platform.OpenCount(), 3u);
}
