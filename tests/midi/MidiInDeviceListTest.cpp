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
        {"2- Pads", {"Pads", "Pads (2)"}, std::nullopt, {"Pads", "Pads (2)"}},
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
