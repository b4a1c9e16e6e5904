// The lights through the owner's seam: the engine and its listeners as the
// program runs them, a scripted output service, and the balloons.
#include "ControllerLights.h"
#include "EngineFixture.h"
#include "FakeMidiOutPlatform.h"
#include "MidiOutSender.h"
#include "MidiOutPort.h"
#include "ShortPause.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {

constexpr std::uint32_t kPort = 0x1234;

// The desktop's foreground event, raised by the test.
class WatchingActions : public RecordingEngineActions {
public:
    void WatchForeground(std::function<void()> changed) override { watch = std::move(changed); }
    std::function<void()> watch;
};

class ControllerLightsTest : public EngineTest {
protected:
    ControllerLightsTest() {
        out.SetDevices({{"Microsoft GS Wavetable Synth", true}, {"Pads"}});
        table.SetMidiOut(1, {"Pads", "F0 7E 01 F7 B0 00 01", "B0 00 00"});
        CChangeTableItem& toggle = AddNoteToggle(36);
        toggle.Feedback = 1;
        CChangeTableItem& key = AddNoteKey(40, 40, 0x41);
        key.Feedback = 1;
        engine.TableChanged();
        engine.PortOpened(1, kPort);
        lights.TableChanged();
    }
    // As the connection hands a port's message on.
    void Play(std::uint32_t message) { lights.OnShortMessage(kPort, message); }
    std::vector<std::string> OutCalls(std::size_t count) {
        EXPECT_TRUE(out.WaitForCalls(count)) << "waited for " << count;
        return out.Calls();
    }

    FakeMidiOutPlatform out;
    std::vector<std::string> balloons;
    CControllerLights lights{
        out,     table,   engine,
        actions, manager, [this](const std::string& text, bool) { balloons.push_back(text); }};
};

} // namespace

TEST_F(ControllerLightsTest, InitBytesAndLightsAtTheOpenTheSwitchAndEveryLightOffAtTheEnd) {
    lights.InputOpened(1);
    EXPECT_TRUE(lights.IsOutputOpen(1));
    EXPECT_EQ(OutCalls(5),
              (std::vector<std::string>{"open 1 h=201 -> 0", "long h=201 F0 7E 01 F7 -> 0",
                                        "short h=201 0100B0 -> 0", "short h=201 7F2490 -> 0",
                                        "short h=201 7F2890 -> 0"}));

    engine.OnToggleEnabled(); // the tray's switch
    lights.Refresh();
    EXPECT_EQ(OutCalls(7).back(), "short h=201 002890 -> 0");
    EXPECT_EQ(out.Calls()[5], "short h=201 002490 -> 0") << "both off";

    lights.End();
    const std::vector<std::string> calls = out.Calls();
    EXPECT_EQ(std::vector<std::string>(calls.begin() + 7, calls.end()),
              (std::vector<std::string>{"short h=201 002490 -> 0", "short h=201 002890 -> 0",
                                        "short h=201 0000B0 -> 0", "close h=201 -> 0"}));
    EXPECT_TRUE(balloons.empty());
}

// Which light a layer change moves, and in what order, is FeedbackLightsTest's;
// here: a pad's switch through the engine reaches the output.
TEST_F(ControllerLightsTest, APadThatSwitchesTheLayerMovesTheLightsOfTheLayers) {
    table.GetAt(1)->Layer = 1; // the key on 40
    CChangeTableItem& toTwo = AddRule(CChangeTableItem::Note, CChangeTableItem::SwitchLayer);
    toTwo.NoteNumber = toTwo.NoteNumberEnd = 42;
    toTwo.LayerAction = CChangeTableItem::GoToLayer;
    toTwo.LayerTarget = 2;
    toTwo.Feedback = 1;
    CChangeTableItem& second = AddNoteKey(43, 43, 0x42);
    second.Layer = 2;
    second.Feedback = 1;
    engine.TableChanged();
    lights.TableChanged();
    lights.InputOpened(1);
    ASSERT_TRUE(out.WaitFor("short h=201 002B90 -> 0")) << "the other layer's pad dark";

    Play(NoteOn(0, 42, 100));
    ASSERT_EQ(engine.CurrentLayer(), 2);
    EXPECT_TRUE(out.WaitFor("short h=201 002890 -> 0")) << "the old layer's pad";
    EXPECT_TRUE(out.WaitFor("short h=201 7F2A90 -> 0")) << "the switch to the current layer";
    EXPECT_TRUE(out.WaitFor("short h=201 7F2B90 -> 0")) << "the new layer's pad";
    Play(NoteOn(0, 43, 100));
    EXPECT_EQ(Log(), (std::vector<std::string>{KeyAction(0x42)})) << "the lit pad acts";
}

TEST_F(ControllerLightsTest, AnEchoOfTheLightsStrikesNoKeyAndIsToldOnce) {
    lights.InputOpened(1);
    OutCalls(5);
    Play(NoteOn(0, 40, 127)); // the light's own message, looped back
    EXPECT_EQ(Log(), std::vector<std::string>());
    Play(NoteOn(0, 40, 100)); // the user's press
    EXPECT_EQ(Log(), (std::vector<std::string>{KeyAction(0x41)}));
    // Each press repaints the light, whose echo comes back again.
    Play(NoteOn(0, 40, 127));
    for (int i = 0; i < 2; ++i) {
        Play(NoteOn(0, 40, 100));
        Play(NoteOn(0, 40, 127));
    }
    EXPECT_EQ(Log().size(), 3u) << "the presses, no echo";
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_NE(balloons[0].find("入力に戻ってきている"), std::string::npos);
}

TEST_F(ControllerLightsTest, TheEchoOfAReleaseStillLetsGoOfAHeldKey) {
    table.GetAt(1)->KeyHold = 1;
    engine.TableChanged();
    lights.TableChanged();
    lights.InputOpened(1);
    OutCalls(5);
    Play(NoteOn(0, 40, 100));
    ASSERT_TRUE(engine.HoldsKeys());
    // While held the light is on; the release lights it off, with the same
    // bytes as a pad's note-on of velocity 0.
    ASSERT_TRUE(out.WaitFor("short h=201 7F2890 -> 0"));
    // The repaint may still be on its way.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const std::size_t before = out.Calls().size();
    Play(NoteOn(0, 40, 0)); // as the light's off sent at the open
    EXPECT_FALSE(engine.HoldsKeys());
    EXPECT_EQ(OutCalls(before + 1).back(), "short h=201 002890 -> 0") << "and the light follows";
}

TEST_F(ControllerLightsTest, AnUnpluggedOutputIsToldOnceAndOpenedAgainWithItsInput) {
    lights.InputOpened(1);
    OutCalls(5);
    out.Unplug(1);
    engine.OnToggleEnabled();
    lights.Refresh();
    ASSERT_TRUE(out.WaitFor("short h=201 002490 -> 6"));
    // The worker found it; the next look of the window's thread tells it.
    for (int i = 0; i < 200 && lights.IsOutputOpen(1); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        Play(ProgramChange(0, 1));
    }
    EXPECT_FALSE(lights.IsOutputOpen(1));
    ASSERT_EQ(balloons.size(), 1u);
    EXPECT_NE(balloons[0].find("[Pads]が外された"), std::string::npos);
    Play(ProgramChange(0, 2));
    EXPECT_EQ(balloons.size(), 1u) << "once";

    lights.InputStopped(1);
    lights.InputOpened(1);
    EXPECT_TRUE(lights.IsOutputOpen(1));
    EXPECT_TRUE(out.WaitFor("short h=201 002890 -> 0")) << "found again, lit as the state says";
}

TEST_F(ControllerLightsTest, AMissingOutputOrUnreadableInitBytesAreToldWithoutStopping) {
    table.SetMidiOut(1, {"Pads", "F0 7E zz", ""});
    table.SetMidiOut(2, {"Gone", "", ""});
    lights.InputOpened(2);
    lights.InputOpened(1);
    EXPECT_FALSE(lights.IsOutputOpen(2));
    EXPECT_TRUE(lights.IsOutputOpen(1));
    ASSERT_EQ(balloons.size(), 2u);
    EXPECT_NE(balloons[0].find("[Gone]が見つからない"), std::string::npos);
    EXPECT_NE(balloons[1].find("[F0 7E zz]を読めない"), std::string::npos);
    EXPECT_EQ(OutCalls(3), (std::vector<std::string>{"open 1 h=201 -> 0", "short h=201 7F2490 -> 0",
                                                     "short h=201 7F2890 -> 0"}))
        << "none of the unreadable bytes, the lights all the same";
}

TEST(MidiOutSenderTest, ABurstGoesOutInOrderAtMostOneMessagePerMillisecondPerDevice) {
    FakeMidiOutPlatform out;
    out.SetDevices({{"A"}, {"B"}});
    CMidiOutSender sender;
    for (unsigned device = 0; device < 2; ++device) {
        auto port = std::make_unique<CMidiOutPort>(out);
        ASSERT_EQ(port->Open(device), 0u);
        sender.Attach(static_cast<int>(device) + 1, std::move(port));
    }
    const auto start = std::chrono::steady_clock::now();
    for (std::uint32_t i = 0; i < 100; ++i) {
        sender.SendShort(1 + i % 2, 0x90 | i << 8);
    }
    const auto queued = std::chrono::steady_clock::now();
    EXPECT_TRUE(sender.Close(1, 2000));
    EXPECT_TRUE(sender.Close(2, 2000));
    EXPECT_LT(queued - start, std::chrono::milliseconds(40)) << "the caller never waits";
    const std::vector<FakeMidiOutPlatform::SSent> sent = out.Sent();
    ASSERT_EQ(sent.size(), 100u);
    std::chrono::steady_clock::time_point last[2];
    for (std::uint32_t i = 0; i < 100; ++i) {
        EXPECT_EQ(sent[i].message, 0x90 | i << 8) << "in order";
        const std::size_t device = sent[i].handle - FakeMidiOutPlatform::HandleOf(0);
        if (i >= 2) {
            EXPECT_GE(sent[i].at - last[device], std::chrono::milliseconds(1)) << i;
        }
        last[device] = sent[i].at;
    }
}

TEST(MidiOutSenderTest, AFloodOfPressesLeavesOnlyEachLightsLastValueQueued) {
    FakeMidiOutPlatform out;
    out.SetDevices({{"Pads"}});
    CMidiOutSender sender;
    auto port = std::make_unique<CMidiOutPort>(out);
    ASSERT_EQ(port->Open(0), 0u);
    sender.Attach(1, std::move(port));
    out.HoldSends(true);
    sender.SendLight(1, 0x7F2490);
    // The first is in the call now; what follows waits in the queue.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (std::uint32_t i = 0; i < 50; ++i) {
        sender.SendLight(1, (i % 2 ? 0x7F2490 : 0x002490));
        sender.SendLight(1, 0x002590 | (i % 2) << 16);
    }
    sender.SendShort(1, 0x0100B0); // no light: never dropped
    EXPECT_LE(sender.Backlog(1), 4u) << "the one in the call, one per light, the other";
    out.HoldSends(false);
    EXPECT_TRUE(sender.Close(1, 2000));
    std::vector<std::uint32_t> sent;
    for (const auto& message : out.Sent()) {
        sent.push_back(message.message);
    }
    EXPECT_EQ(sent, (std::vector<std::uint32_t>{0x7F2490, 0x7F2490, 0x012590, 0x0100B0}));
}

TEST(ControllerLightsFront, TheForegroundEventMovesTheLightsWithoutWaitingForAMessage) {
    CChangeTable table;
    table.SetMidiOut(1, {"Pads", "", ""});
    auto* rule = new CChangeTableItem;
    rule->NoteNumber = rule->NoteNumberEnd = 40;
    rule->Feedback = 1;
    rule->SetForeExePath("paint.exe");
    table.InsertAt(0, rule);
    WatchingActions actions;
    CConversionEngine engine(&table, actions);
    CMidiInEventListenerManager manager;
    FakeMidiOutPlatform out;
    out.SetDevices({{"Pads"}});
    CControllerLights lights(out, table, engine, actions, manager, nullptr);
    engine.TableChanged();
    lights.TableChanged();
    engine.PortOpened(1, kPort);
    lights.InputOpened(1);
    ASSERT_TRUE(out.WaitFor("short h=200 002890 -> 0"));
    ASSERT_TRUE(actions.watch);
    actions.PutInFront(9, "C:\\Apps\\Paint.exe");
    actions.watch();
    EXPECT_TRUE(out.WaitFor("short h=200 7F2890 -> 0"));
    lights.End();
    EXPECT_FALSE(actions.watch) << "the watch ends with the lights";
}

TEST(MidiOutSenderTest, TheEndDoesNotWaitForADriverThatHangs) {
    FakeMidiOutPlatform out;
    out.SetDevices({{"Pads"}});
    auto sender = std::make_unique<CMidiOutSender>();
    auto port = std::make_unique<CMidiOutPort>(out);
    ASSERT_EQ(port->Open(0), 0u);
    sender->Attach(1, std::move(port));
    out.HoldSends(true);
    sender->SendShort(1, 0x7F2490);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(sender->Close(1, 50));
    sender->Stop(50);
    sender.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
    // The driver comes back: the worker it kept ends by itself and closes.
    out.HoldSends(false);
    EXPECT_TRUE(out.WaitFor("close h=200 -> 0"));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

// The sender paces a burst with it: a pause that returned at once would turn
// every burst into a busy wait. Only a lower bound, which a slow machine
// cannot break.
TEST(MidiOutSenderTest, ABriefPauseWaitsItsSpanRatherThanReturningAtOnce) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 20; ++i) {
        PauseBriefly(std::chrono::microseconds(1000));
    }
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(15));
}

// A lit rule for one program: the message that finds that program in front
// asks the system for its executable once, for the engine and the lights
// together.
TEST_F(ControllerLightsTest, AMessageAfterAProgramSwitchAsksForTheProgramInFrontOnce) {
    CChangeTableItem& paint = AddNoteKey(41, 41, 0x42);
    paint.Feedback = 1;
    paint.SetForeExePath("paint.exe");
    engine.TableChanged();
    lights.TableChanged();
    lights.InputOpened(1);
    ASSERT_EQ(OutCalls(6).back(), "short h=201 002990 -> 0");

    actions.PutInFront(9, "C:\\Apps\\Paint.exe");
    const int before = actions.exePathQueries;
    Play(0x7F2990); // the program's own pad: the engine looks at the program in front
    EXPECT_EQ(OutCalls(7).back(), "short h=201 7F2990 -> 0") << "the program's pad lit";
    EXPECT_EQ(actions.exePathQueries - before, 1);
}
