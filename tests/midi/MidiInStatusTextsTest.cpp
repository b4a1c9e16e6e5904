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
    EXPECT_EQ(MidiInTrayTip("App", Status::Ambiguous, "Pads"),
              "App (MIDI-INデバイス[Pads]に当たるデバイスが複数あります)");
}

TEST(MidiInStatusTextsTest, BalloonsTellOfLossAndReturnOnly) {
    const auto lost = MidiInStatusBalloon(Status::Open, Status::Missing, true, "Pads");
    ASSERT_TRUE(lost);
    EXPECT_TRUE(lost->warning);
    EXPECT_EQ(
        lost->text,
        "MIDI-INデバイス[Pads]が見つからなくなりました。接続し直すと自動的にオープンします。");
    const auto back = MidiInStatusBalloon(Status::Missing, Status::Open, true, "Pads");
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->warning);
    EXPECT_EQ(back->text, "MIDI-INデバイス[Pads]が接続されたので、オープンしました。");
    const auto refused = MidiInStatusBalloon(Status::Missing, Status::Unopenable, true, "Pads");
    ASSERT_TRUE(refused);
    EXPECT_EQ(refused->text, "MIDI-INデバイス[Pads]のオープンに失敗しました。");

    EXPECT_FALSE(MidiInStatusBalloon(Status::Open, Status::Open, true, "Pads"));
    EXPECT_FALSE(MidiInStatusBalloon(Status::Missing, Status::Missing, true, "Pads"));
    EXPECT_FALSE(MidiInStatusBalloon(Status::Unopenable, Status::Missing, true, "Pads"));
}

TEST(MidiInStatusTextsTest, SeveralFittingDevicesAreNamedAlsoAtTheStart) {
    for (const bool byItself : {true, false}) {
        const auto balloon = MidiInStatusBalloon(Status::NoDevice, Status::Ambiguous, byItself,
                                                 "2- Pads", {"Pads", "Pads (2)"});
        ASSERT_TRUE(balloon);
        EXPECT_TRUE(balloon->warning);
        EXPECT_EQ(balloon->text, "MIDI-INデバイス[2- Pads]に当たるデバイスが複数あるので、"
                                 "どれもオープンしませんでした: [Pads][Pads (2)]。"
                                 "設定画面でデバイスを選んでください。");
    }
    EXPECT_FALSE(MidiInStatusBalloon(Status::Open, Status::Missing, false, "Pads"))
        << "the user's own choice is answered by a box";
}
