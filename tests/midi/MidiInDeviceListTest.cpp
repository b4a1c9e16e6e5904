// How a stored device name finds its device, also after Windows MIDI
// Services renamed the ports.
#include "MidiInDeviceList.h"

#include <gtest/gtest.h>

namespace {

struct SCase {
    const char* stored;
    MidiInDeviceList devices;
    std::optional<unsigned> index;
    std::vector<std::string> candidates;
};

// What a driver leaves of "ABＭＩＤＩキーボード装置ポート入力" (34 bytes) in the
// 31-byte field: 30 bytes and the lead byte of 入.
const std::string kCutInsideACharacter = std::string("ABＭＩＤＩキーボード装置ポート") + "\x93";

} // namespace

TEST(MidiInDeviceListTest, FindsTheDeviceByItsNameAsRenamedOrCut) {
    const SCase cases[] = {
        // Exact wins, the lower index of two, an unreadable name never fits.
        {"Pads", {"pads", std::nullopt, "Pads (2)", "Pads", "Pads"}, 3, {}},
        {"Pads", {"Keys"}, std::nullopt, {}},
        // The number of a second unit, in either style.
        {"2- Pads", {"Keys", "Pads (2)"}, 1, {}},
        {"Pads (2)", {"2- Pads"}, 0, {}},
        {"Pads", {"Keys", "12- Pads"}, 1, {}},
        // A stored unit number finds that unit first, in any style.
        {"2- Pads", {"Pads", "Pads (2)"}, 1, {}},
        {"2- Keys", {"Keys", "2 - Keys"}, 1, {}},
        {"Keys (2)", {"Keys", "3 - Keys", "2 - Keys"}, 2, {}},
        {"3- Keys", {"Keys", "Keys (2)"}, std::nullopt, {"Keys", "Keys (2)"}},
        // The new stack's names: blanks around the dash, a second port with
        // or without its bracket, a trailing group number.
        {"Keys", {"Pads", "1 - Keys"}, 1, {}},
        {"MIDIIN2 (Keys)", {"Keys", "MIDIIN2 (Keys"}, 1, {}},
        {"MIDIIN2 (Keys", {"MIDIIN3 (Keys)", "MIDIIN2 (Keys)"}, 1, {}},
        {"MIDIIN2 (Keys)", {"Keys", "MIDIIN3 (Keys)"}, std::nullopt, {}},
        {"Keys", {"MIDIIN2 (Keys)"}, std::nullopt, {}},
        {"Keys", {"Keys Group 1"}, 0, {}},
        {"Keys [1]", {"Keys"}, 0, {}},
        {"2- Keys", {"Keys Group 1", "Keys (2) [1]"}, 1, {}},
        {"Keys Groupie", {"Keys"}, std::nullopt, {}},
        {"Pads (x)", {"Pads"}, std::nullopt, {}},
        {"-Pads", {"Pads"}, std::nullopt, {}},
        // The jack's name behind the device's, but not a longer word.
        {"SoftStep", {"SoftStep Control Surface"}, 0, {}},
        {"SoftStep", {"SoftSteps"}, std::nullopt, {}},
        {"SoftStep",
         {"SoftStep In", "SoftStep Out (2)"},
         std::nullopt,
         {"SoftStep In", "SoftStep Out (2)"}},
        {"2- SoftStep", {"SoftStep Control Surface (2)"}, 0, {}},
        // A stored name longer than the field, and a field cut inside a
        // two-byte character: both compared up to the last whole one.
        {"An Unusually Long Device Name Of 40 Bytes", {"An Unusually Long Device Name O"}, 0, {}},
        {"ABＭＩＤＩキーボード装置ポート", {kCutInsideACharacter}, 0, {}},
        {"ABCＭＩＤＩキーボード装置ポート入力", {"ABCＭＩＤＩキーボード装置ポート"}, 0, {}},
        {"ＭＩＤＩ鍵盤", {"ＭＩＤＩ鍵盤 (2)"}, 0, {}},
    };
    for (const SCase& c : cases) {
        const SMidiInDeviceMatch match = FindMidiInDevice(c.devices, c.stored);
        EXPECT_EQ(match.index, c.index) << c.stored;
        EXPECT_EQ(match.candidates, c.candidates) << c.stored;
    }
}

TEST(MidiInDeviceListTest, SlotsNeverShareAPortAndTheExactNameKeepsIt) {
    struct SSlotsCase {
        std::vector<std::string> names;
        MidiInDeviceList devices;
        std::vector<std::optional<unsigned>> indices;
    };
    const SSlotsCase cases[] = {
        // Slot 1's renamed "Keys" would take "Keys (2)", but slot 2 has it exactly.
        {{"Keys", "Keys (2)"}, {"Keys (2)"}, {std::nullopt, 0}},
        {{"Keys", "Keys (2)"}, {"Keys (2)", "1 - Keys"}, {1, 0}},
        // The same name twice: two ports of it, or one port for the first.
        {{"Pads", "Pads"}, {"Pads", "Pads"}, {0, 1}},
        {{"Pads", "Pads"}, {"Pads"}, {0, std::nullopt}},
        // Empty slots find nothing, even with an unnamed-looking port.
        {{"", "Pads"}, {"", "Pads"}, {std::nullopt, 1}},
    };
    for (const SSlotsCase& c : cases) {
        const std::vector<SMidiInDeviceMatch> matches = FindMidiInDevices(c.devices, c.names);
        ASSERT_EQ(matches.size(), c.indices.size());
        for (std::size_t slot = 0; slot < matches.size(); ++slot) {
            EXPECT_EQ(matches[slot].index, c.indices[slot]) << c.names[0] << " slot " << slot + 1;
        }
    }
}
