#include "MidiInStatusTexts.h"

#include <gtest/gtest.h>

using Status = CMidiInReconnector::Status;

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
    EXPECT_EQ(
        lost->text,
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
