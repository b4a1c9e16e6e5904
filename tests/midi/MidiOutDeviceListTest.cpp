#include "FakeMidiOutPlatform.h"
#include "MidiOutDeviceList.h"
#include "MidiOutPort.h"

#include <gtest/gtest.h>

namespace {

SMidiOutDevices Outputs(std::vector<FakeMidiOutPlatform::SDevice> devices) {
    FakeMidiOutPlatform platform;
    platform.SetDevices(std::move(devices));
    return ListMidiOutDevices(platform);
}

} // namespace

TEST(MidiOutProposal, PairsTheOutputOfTheSameControllerAndNeverTheSynthesizer) {
    const SMidiOutDevices outputs = Outputs({{"Microsoft GS Wavetable Synth", true},
                                             {"X-TOUCH MINI 1"},
                                             {"MIDIOUT2 (Launchpad X)"},
                                             {"Launchpad X"},
                                             {"2- nanoPAD2"},
                                             {"nanoPAD2"},
                                             {"3 - Pads"},
                                             {"Keys"}});
    const auto propose = [&](const std::string& input) {
        return ProposeMidiOutDevice(outputs, input).value_or("(none)");
    };
    EXPECT_EQ(propose("Keys"), "Keys");
    EXPECT_EQ(propose("X-TOUCH MINI 0"), "X-TOUCH MINI 1") << "a trailing port digit";
    EXPECT_EQ(propose("MIDIIN2 (Launchpad X)"), "MIDIOUT2 (Launchpad X)")
        << "the same name comes before the plain one";
    EXPECT_EQ(propose("MIDIIN3 (Launchpad X"), "MIDIOUT2 (Launchpad X)")
        << "port numbers and a bracket lost at the cut do not count";
    EXPECT_EQ(propose("Launchpad X"), "Launchpad X");
    EXPECT_EQ(propose("2- nanoPAD2"), "2- nanoPAD2") << "the second unit's own output";
    EXPECT_EQ(propose("nanoPAD2"), "nanoPAD2");
    EXPECT_EQ(propose("3- Pads"), "3 - Pads") << "either style of unit number";
    EXPECT_EQ(propose("4- Pads"), "(none)") << "never another unit's lights";
    EXPECT_EQ(propose("Microsoft GS Wavetable Synth"), "(none)");
    EXPECT_EQ(propose("Unknown"), "(none)");
    EXPECT_EQ(propose(""), "(none)");
}

TEST(MidiOutProposal, FindsAnOutputAgainLikeAnInputAfterARenumberedReplug) {
    const SMidiOutDevices outputs = Outputs({{"Keys"}, {"MIDIOUT3 (Pads)"}, {"2- Knobs"}});
    EXPECT_EQ(FindMidiOutDevice(outputs, "Keys").index, 0u);
    EXPECT_EQ(FindMidiOutDevice(outputs, "2- MIDIOUT3 (Pads)").index, 1u)
        << "renumbered as a second unit's ports are";
    EXPECT_EQ(FindMidiOutDevice(outputs, "MIDIOUT3 (Pads)").index, 1u);
    EXPECT_EQ(FindMidiOutDevice(outputs, "MIDIOUT2 (Pads)").index, std::nullopt)
        << "another port of the device is not its lights";
    EXPECT_EQ(FindMidiOutDevice(outputs, "3- Pads").index, std::nullopt);
    EXPECT_EQ(FindMidiOutDevice(outputs, "2- Knobs").index, 2u);
    EXPECT_EQ(FindMidiOutDevice(outputs, "Gone").index, std::nullopt);
}

TEST(MidiOutPortTest, SendsOnTheOpenPortAndAGonePortSaysNoDriver) {
    FakeMidiOutPlatform platform;
    platform.SetDevices({{"Pads"}});
    CMidiOutPort port(platform);
    EXPECT_NE(port.SendShort(0x7F2490), 0u) << "nothing is open";
    ASSERT_EQ(port.Open(0), 0u);
    EXPECT_EQ(port.SendShort(0x7F2490), 0u);
    EXPECT_EQ(port.SendLong({0xF0, 0x7E, 0xF7}), 0u);
    platform.Unplug(0);
    EXPECT_EQ(port.SendShort(0x002490), IMidiOutPlatform::kNoDriver);
    port.Close();
    EXPECT_FALSE(port.IsOpen());
    ASSERT_EQ(port.Open(0), 0u) << "found again after the close";
    EXPECT_EQ(platform.Calls(),
              (std::vector<std::string>{"open 0 h=200 -> 0", "short h=200 7F2490 -> 0",
                                        "long h=200 F0 7E F7 -> 0", "short h=200 002490 -> 6",
                                        "close h=200 -> 0", "open 0 h=200 -> 0"}));
}
