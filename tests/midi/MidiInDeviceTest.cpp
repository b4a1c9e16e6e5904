#include "FakeMidiPlatform.h"
#include "MidiInDevice.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Calls = std::vector<std::string>;

class MidiInDeviceTest : public ::testing::Test {
protected:
    MidiInDeviceTest() { platform.devices = {"Keys", "Pads", "Knobs"}; }

    FakeMidiPlatform platform;
};

constexpr std::uintptr_t kWindow = 7;

} // namespace

TEST_F(MidiInDeviceTest, OpenOpensForTheWindowAndStarts) {
    CMidiInDevice device(platform);
    EXPECT_TRUE(device.Open(1, kWindow));
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(platform.calls, (Calls{"open 1 w=7 h=101 -> 0", "start 101 -> 0"}));
}

TEST_F(MidiInDeviceTest, OpenWithoutAWindowPassesNone) {
    CMidiInDevice device(platform);
    EXPECT_TRUE(device.Open(0, 0));
    EXPECT_EQ(platform.calls.front(), "open 0 w=0 h=100 -> 0");
}

TEST_F(MidiInDeviceTest, ReopeningAnotherDeviceClosesTheOldPortFirst) {
    CMidiInDevice device(platform);
    ASSERT_TRUE(device.Open(0, kWindow));
    platform.calls.clear();
    EXPECT_TRUE(device.Open(2, kWindow));
    EXPECT_EQ(platform.calls,
              (Calls{"close 100 -> 0", "open 2 w=7 h=102 -> 0", "start 102 -> 0"}));
    EXPECT_FALSE(platform.IsOpen(0));
    EXPECT_EQ(platform.OpenCount(), 1u);
}

TEST_F(MidiInDeviceTest, ReopeningTheSameDeviceClosesItFirst) {
    CMidiInDevice device(platform);
    ASSERT_TRUE(device.Open(1, kWindow));
    platform.calls.clear();
    // The fake, like a driver, refuses to open a port twice: this only
    // succeeds when the port was closed before.
    EXPECT_TRUE(device.Open(1, kWindow));
    EXPECT_EQ(platform.calls,
              (Calls{"close 101 -> 0", "open 1 w=7 h=101 -> 0", "start 101 -> 0"}));
}

TEST_F(MidiInDeviceTest, ABadIndexFailsAndLeavesNothingOpen) {
    CMidiInDevice device(platform);
    ASSERT_TRUE(device.Open(0, kWindow));
    EXPECT_FALSE(device.Open(3, kWindow));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(platform.OpenCount(), 0u);
    platform.calls.clear();
    EXPECT_TRUE(device.Close());
    EXPECT_TRUE(platform.calls.empty());
}

TEST_F(MidiInDeviceTest, AFailedOpenIsReportedAndNothingIsStarted) {
    platform.openResult[1] = 4;
    CMidiInDevice device(platform);
    EXPECT_FALSE(device.Open(1, kWindow));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(platform.calls, (Calls{"open 1 w=7 -> 4"}));
}

TEST_F(MidiInDeviceTest, StartFailingAfterOpenKeepsThePortUntilClosed) {
    platform.startResult[2] = 1;
    CMidiInDevice device(platform);
    EXPECT_FALSE(device.Open(2, kWindow));
    EXPECT_TRUE(device.IsOpen());
    EXPECT_TRUE(platform.IsOpen(2));
    platform.calls.clear();
    EXPECT_TRUE(device.Close());
    EXPECT_EQ(platform.calls, (Calls{"close 102 -> 0"}));
    EXPECT_FALSE(platform.IsOpen(2));
}

TEST_F(MidiInDeviceTest, StartFailingAfterOpenKeepsThePortUntilTheNextOpen) {
    platform.startResult[2] = 1;
    CMidiInDevice device(platform);
    EXPECT_FALSE(device.Open(2, kWindow));
    platform.calls.clear();
    EXPECT_TRUE(device.Open(0, kWindow));
    EXPECT_EQ(platform.calls.front(), "close 102 -> 0");
    EXPECT_FALSE(platform.IsOpen(2));
}

TEST_F(MidiInDeviceTest, StartWithoutAPortFailsWithoutCallingThePlatform) {
    CMidiInDevice device(platform);
    EXPECT_FALSE(device.Start());
    EXPECT_TRUE(platform.calls.empty());
}

TEST_F(MidiInDeviceTest, StartOnAnOpenPortStartsIt) {
    CMidiInDevice device(platform);
    ASSERT_TRUE(device.Open(0, kWindow));
    platform.calls.clear();
    EXPECT_TRUE(device.Start());
    EXPECT_EQ(platform.calls, (Calls{"start 100 -> 0"}));
}

TEST_F(MidiInDeviceTest, CloseWithoutAPortSucceedsWithoutCallingThePlatform) {
    CMidiInDevice device(platform);
    EXPECT_TRUE(device.Close());
    EXPECT_TRUE(platform.calls.empty());
}

TEST_F(MidiInDeviceTest, ClosingTwiceClosesOnce) {
    CMidiInDevice device(platform);
    ASSERT_TRUE(device.Open(1, kWindow));
    platform.calls.clear();
    EXPECT_TRUE(device.Close());
    EXPECT_TRUE(device.Close());
    EXPECT_EQ(platform.calls, (Calls{"close 101 -> 0"}));
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(MidiInDeviceTest, AFailedCloseKeepsThePortAndCanBeRetried) {
    platform.closeResult[1] = 5;
    CMidiInDevice device(platform);
    ASSERT_TRUE(device.Open(1, kWindow));
    EXPECT_FALSE(device.Close());
    EXPECT_TRUE(device.IsOpen());
    platform.closeResult.clear();
    platform.calls.clear();
    EXPECT_TRUE(device.Close());
    EXPECT_EQ(platform.calls, (Calls{"close 101 -> 0"}));
}

TEST_F(MidiInDeviceTest, APortWhoseDriverIsGoneCountsAsClosed) {
    // MMSYSERR_NODRIVER: the device went; MIDIERR_STILLPLAYING: buffers are
    // still queued, the port stays for a later try.
    platform.closeResult[1] = 6;
    CMidiInDevice device(platform);
    ASSERT_TRUE(device.Open(1, kWindow));
    EXPECT_TRUE(device.Close());
    EXPECT_FALSE(device.IsOpen());
    platform.closeResult[0] = 65;
    CMidiInDevice busy(platform);
    ASSERT_TRUE(busy.Open(0, kWindow));
    EXPECT_FALSE(busy.Close());
    EXPECT_TRUE(busy.IsOpen());
    platform.closeResult.clear();
}

TEST_F(MidiInDeviceTest, APortThatWillNotCloseIsTriedOnceMoreAfterTheNewOpen) {
    platform.closeResult[0] = 5;
    CMidiInDevice device(platform);
    ASSERT_TRUE(device.Open(0, kWindow));
    platform.calls.clear();
    EXPECT_TRUE(device.Open(1, kWindow));
    EXPECT_EQ(platform.calls, (Calls{"close 100 -> 5", "open 1 w=7 h=101 -> 0",
                                     "close 100 -> 5", "start 101 -> 0"}));
    // The new port is the one held now.
    platform.calls.clear();
    EXPECT_TRUE(device.Close());
    EXPECT_EQ(platform.calls, (Calls{"close 101 -> 0"}));
}

TEST_F(MidiInDeviceTest, APortThatWillNotCloseStaysHeldWhenTheNewOpenFails) {
    platform.closeResult[0] = 5;
    CMidiInDevice device(platform);
    ASSERT_TRUE(device.Open(0, kWindow));
    EXPECT_FALSE(device.Open(3, kWindow));
    EXPECT_TRUE(device.IsOpen());
    platform.closeResult.clear();
    platform.calls.clear();
    EXPECT_TRUE(device.Close());
    EXPECT_EQ(platform.calls, (Calls{"close 100 -> 0"}));
}

TEST_F(MidiInDeviceTest, DestructionClosesAnOpenPort) {
    auto device = std::make_unique<CMidiInDevice>(platform);
    ASSERT_TRUE(device->Open(2, kWindow));
    platform.calls.clear();
    device.reset();
    EXPECT_EQ(platform.calls, (Calls{"close 102 -> 0"}));
    EXPECT_EQ(platform.OpenCount(), 0u);
}

TEST_F(MidiInDeviceTest, DestructionWithoutAPortCallsNothing) {
    { CMidiInDevice device(platform); }
    EXPECT_TRUE(platform.calls.empty());
}
