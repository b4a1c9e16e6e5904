#include "MidiInReconnector.h"
#include "MidiInStatusTexts.h"

#include <gtest/gtest.h>

namespace {

using Status = CMidiInReconnector::Status;
using When = CMidiInReconnector::When;
using Plan = CMidiInReconnector::Plan;

constexpr std::uintptr_t kHandle = 0x1001;

MidiInDeviceList Devices(std::initializer_list<const char*> names) {
    MidiInDeviceList devices;
    for (const char* name : names) {
        devices.emplace_back(name ? std::optional<std::string>(name) : std::nullopt);
    }
    return devices;
}

bool IsNothing(const Plan& plan) { return !plan.close && !plan.open; }
bool IsOpenOnly(const Plan& plan, unsigned index) {
    return !plan.close && plan.open && plan.index == index;
}
bool IsCloseThenOpen(const Plan& plan, unsigned index) {
    return plan.close && plan.open && plan.index == index;
}

// A reconnector whose configured device "Pads" was opened at index 1.
class MidiInReconnectorTest : public ::testing::Test {
protected:
    MidiInReconnectorTest() { reconnector.SetOpened(1, kHandle); }
    // What the window does with a plan; opening always succeeds here.
    Plan Run(const MidiInDeviceList& devices, const std::string& name = "Pads") {
        const Plan plan = reconnector.Check(name, devices);
        if (plan.close) {
            reconnector.OnClosedByProgram();
        }
        if (plan.open) {
            reconnector.SetOpened(plan.index, 0x1000 + plan.index);
        }
        return plan;
    }

    CMidiInReconnector reconnector;
};

} // namespace

TEST_F(MidiInReconnectorTest, ABurstOfNoticesAsksForOneCheckAndTheNextBurstForAnother) {
    EXPECT_EQ(reconnector.OnDevicesChanged(), When::Now);
    for (int notice = 0; notice < 19; ++notice) {
        EXPECT_EQ(reconnector.OnDevicesChanged(), When::Never);
    }
    EXPECT_TRUE(IsNothing(Run(Devices({"Keys", "Pads"}))));
    EXPECT_EQ(reconnector.GetStatus(), Status::Open);
    EXPECT_EQ(reconnector.AfterCheck(), When::Never);
    EXPECT_EQ(reconnector.OnDevicesChanged(), When::Now);
}

TEST_F(MidiInReconnectorTest, ALostDeviceIsClosedOnceAndOpenedWhereverItComesBack) {
    reconnector.OnDevicesChanged();
    const Plan lost = Run(Devices({"Keys"})); // the count shrank
    EXPECT_TRUE(lost.close);
    EXPECT_FALSE(lost.open);
    EXPECT_EQ(reconnector.GetStatus(), Status::Missing);
    EXPECT_TRUE(IsNothing(Run(Devices({"Keys"})))) << "closed twice";

    EXPECT_TRUE(IsOpenOnly(Run(Devices({"Pads", "Keys"})), 0));
    EXPECT_EQ(reconnector.GetStatus(), Status::Open);
    EXPECT_TRUE(IsNothing(Run(Devices({"Pads", "Keys"})))) << "opened twice";
}

TEST_F(MidiInReconnectorTest, AnotherDeviceAtTheOpenIndexMeansTheOpenPortIsGone) {
    EXPECT_TRUE(IsCloseThenOpen(Run(Devices({"Keys", "Knobs", "Pads"})), 2));
}

TEST_F(MidiInReconnectorTest, AnUnreadableEntryAtTheOpenIndexIsNotTheDevice) {
    EXPECT_TRUE(IsCloseThenOpen(Run(Devices({"Keys", nullptr, "Pads"})), 2));
}

TEST_F(MidiInReconnectorTest, NamesAreComparedByteForByteAndTheLowestTwinWins) {
    EXPECT_TRUE(Run(Devices({"Keys", "pads", "Pads "})).close);
    EXPECT_EQ(reconnector.GetStatus(), Status::Missing);
    EXPECT_TRUE(IsOpenOnly(Run(Devices({nullptr, "Pads", "Pads"})), 1));
}

TEST_F(MidiInReconnectorTest, ResumeReopensThePortOnceAfterADelay) {
    EXPECT_EQ(reconnector.OnResumed(), When::Soon);
    EXPECT_EQ(reconnector.OnResumed(), When::Soon); // restarts the same delay
    EXPECT_TRUE(IsCloseThenOpen(Run(Devices({"Keys", "Pads"})), 1));
    EXPECT_EQ(reconnector.AfterCheck(), When::Never);
    EXPECT_TRUE(IsNothing(Run(Devices({"Keys", "Pads"}))));
}

TEST_F(MidiInReconnectorTest, OnlyAnUnaskedCloseOfTheOpenPortCountsAsItsDeath) {
    // Our own close and reopen at the same index: the handle comes back the
    // same, and the notice of our close must not start another round.
    EXPECT_EQ(reconnector.OnResumed(), When::Soon);
    Run(Devices({"Keys", "Pads"}));
    EXPECT_EQ(reconnector.OnPortClosed(0x1001), When::Never);
    EXPECT_EQ(reconnector.OnPortClosed(0x1005), When::Never); // not our port

    EXPECT_EQ(reconnector.OnPortClosed(0x1001), When::Now);
    EXPECT_TRUE(IsCloseThenOpen(Run(Devices({"Keys", "Pads"})), 1));
}

TEST_F(MidiInReconnectorTest, AMissingDeviceIsRetriedOnceAfterANotice) {
    reconnector.OnDevicesChanged();
    Run(Devices({"Keys"}));
    EXPECT_EQ(reconnector.AfterCheck(), When::Soon);
    Run(Devices({"Keys"}));
    EXPECT_EQ(reconnector.AfterCheck(), When::Never);
}

TEST_F(MidiInReconnectorTest, APresentDeviceThatRefusesToOpenIsRetriedOnce) {
    reconnector.OnDevicesChanged();
    const Plan plan = reconnector.Check("Pads", Devices({"Pads"}));
    ASSERT_TRUE(IsCloseThenOpen(plan, 0));
    reconnector.OnClosedByProgram();
    reconnector.SetNotOpened(Status::Unopenable);
    EXPECT_EQ(reconnector.AfterCheck(), When::Soon);
    EXPECT_TRUE(IsOpenOnly(Run(Devices({"Pads"})), 0));
    EXPECT_EQ(reconnector.AfterCheck(), When::Never);
}

TEST(MidiInReconnectorWithoutDeviceTest, NoConfiguredNameOpensNothing) {
    CMidiInReconnector reconnector;
    reconnector.OnDevicesChanged();
    EXPECT_TRUE(IsNothing(reconnector.Check("", Devices({"Keys", ""}))));
    EXPECT_EQ(reconnector.GetStatus(), Status::NoDevice);
    EXPECT_EQ(reconnector.AfterCheck(), When::Never);
}

TEST(MidiInStatusTextsTest, TheTipNamesTheTroubleAfterTheApplicationName) {
    EXPECT_EQ(MidiInTrayTip("App", Status::Open, "Pads"), "App");
    EXPECT_EQ(MidiInTrayTip("App", Status::NoDevice, ""), "App");
    EXPECT_EQ(MidiInTrayTip("App", Status::Missing, "Pads"),
              "App (MIDI-INデバイス[Pads]が見つかりません)");
    EXPECT_EQ(MidiInTrayTip("App", Status::Unopenable, "Pads"),
              "App (MIDI-INデバイス[Pads]をオープンできません)");
}

TEST(MidiInStatusTextsTest, BalloonsTellOfLossAndReturnOnly) {
    const auto lost = MidiInStatusBalloon(Status::Open, Status::Missing, "Pads");
    ASSERT_TRUE(lost);
    EXPECT_TRUE(lost->warning);
    EXPECT_EQ(lost->text,
              "MIDI-INデバイス[Pads]が見つからなくなりました。接続し直すと自動的にオープンします。");
    const auto back = MidiInStatusBalloon(Status::Missing, Status::Open, "Pads");
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->warning);
    EXPECT_EQ(back->text, "MIDI-INデバイス[Pads]が接続されたので、オープンしました。");
    const auto refused = MidiInStatusBalloon(Status::Missing, Status::Unopenable, "Pads");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, "MIDI-INデバイス[Pads]のオープンに失敗しました。");

    EXPECT_FALSE(MidiInStatusBalloon(Status::Open, Status::Open, "Pads"));
    EXPECT_FALSE(MidiInStatusBalloon(Status::Missing, Status::Missing, "Pads"));
    EXPECT_FALSE(MidiInStatusBalloon(Status::Unopenable, Status::Missing, "Pads"));
}
