// The running program's start and end through fakes of the desktop, the
// window, the MIDI service and the settings file, all writing into one
// account of what happened in which order.
#include "FakeMidiOutPlatform.h"
#include "FakeMidiPlatform.h"
#include "IMidiInCheckScheduler.h"
#include "KeyStroke.h"
#include "MidiMessages.h"
#include "PortableIniBackend.h"
#include "RecordingEngineActions.h"
#include "ResidentDesktop.h"
#include "ResidentProgram.h"
#include "TempDir.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

class OrderedMidi : public FakeMidiPlatform {
public:
    explicit OrderedMidi(Events& events) : m_events(events) {}
    unsigned InClose(std::uintptr_t handle) override {
        m_events.push_back("port closed");
        return FakeMidiPlatform::InClose(handle);
    }

private:
    Events& m_events;
};

class OrderedActions : public RecordingEngineActions {
public:
    explicit OrderedActions(Events& events) : m_events(events) {}
    void SendKeyEvents(const KeyStrokeEvent* events, int count) override {
        RecordingEngineActions::SendKeyEvents(events, count);
        m_events.push_back(log.back());
    }
    void Strike(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                const CHeldKeys& programHeld) override {
        RecordingEngineActions::Strike(target, keyFlag, repeat, programHeld);
        m_events.push_back(log.back());
    }

private:
    Events& m_events;
};

// The program's own file implementation; a read-only file refuses the
// final replace, as the platform does (MoveFileEx fails with access denied
// on a read-only target), and so does a file that a scanner holds open
// without sharing, for a while (a sharing violation, support.microsoft.com
// KB 316609), which a later try gets past.
class OrderedBackend : public CPortableIniBackend {
public:
    explicit OrderedBackend(Events& events) : m_events(events) {}
    bool MoveOver(const std::string& from, const std::string& to) override {
        m_locked = lockedTries > 0;
        if (m_locked) {
            --lockedTries;
            m_events.push_back("save locked");
            return false;
        }
        if (readOnly) {
            m_events.push_back("save failed");
            return false;
        }
        m_events.push_back("saved");
        return CPortableIniBackend::MoveOver(from, to);
    }
    bool FailedOnLock() const override { return m_locked; }
    bool readOnly = false;
    int lockedTries = 0;

private:
    Events& m_events;
    bool m_locked = false;
};

class FakeDesktop : public IResidentDesktop {
public:
    explicit FakeDesktop(Events& events) : m_events(events) {}
    void AddTrayIcon(const std::string& tip) override { m_events.push_back("tray added " + tip); }
    // Kept apart from the account of the order: the tip changes often.
    void SetTrayTip(const std::string& text) override { tip = text; }
    void ShowLayerNotice(const std::string& layerName) override {
        layerNotices.push_back(layerName);
    }
    void ShowBalloon(const std::string& text, bool) override {
        m_events.push_back("balloon " + text);
    }
    void BeginRemoveTrayIcon() override { m_events.push_back("tray removal begun"); }
    void CompleteTrayIconRemoval() override { m_events.push_back("tray removed"); }
    void StartNotices(CMidiInConnections& midiIn) override {
        connections = &midiIn;
        m_events.push_back("notices started");
    }
    void StopNotices() override { m_events.push_back("notices stopped"); }
    std::uintptr_t InputReceiver() const override { return 7; }
    // One timer: a later request replaces the one not yet fired, as
    // SetTimer does for the same window and id.
    bool ScheduleSaveRetry(unsigned delayMs, std::function<void()> retry) override {
        retryDelays.push_back(delayMs);
        m_retry = std::move(retry);
        return true;
    }
    void CancelSaveRetry() override { m_retry = nullptr; }
    CMidiInConnections* connections = nullptr;
    void StopWorkers() override { m_events.push_back("workers stopped"); }
    void ShowEndBox(const std::string& text) override { m_events.push_back("end box " + text); }

    bool RetryPending() const { return static_cast<bool>(m_retry); }
    // The timer fires; false when none was set.
    bool FireSaveRetry() {
        const std::function<void()> retry = std::move(m_retry);
        m_retry = nullptr;
        if (retry) {
            retry();
        }
        return static_cast<bool>(retry);
    }
    std::vector<unsigned> retryDelays;
    std::string tip;
    std::vector<std::string> layerNotices;

private:
    std::function<void()> m_retry;
    Events& m_events;
};

class FakeView : public IResidentView {
public:
    explicit FakeView(Events& events) : m_events(events) {}
    void ShowDevices(const MidiInDeviceList&, const std::string&) override {}
    void ShowRules() override {}
    void ShowBox(const std::string& text) override { m_events.push_back("box " + text); }
    void AskEndLater() override { m_events.push_back("end asked later"); }
    void CloseToolWindows() override { m_events.push_back("tool windows closed"); }
    void CloseWindow() override { m_events.push_back("window closed"); }

private:
    Events& m_events;
};

class NoScheduler : public IMidiInCheckScheduler {
public:
    bool PostCheck() override { return true; }
    bool StartRetryDelay() override { return true; }
};

constexpr std::uint8_t kKeyA = 0x41;

class ResidentProgramTest : public ::testing::Test {
protected:
    ResidentProgramTest() {
        midi.devices = {"Keys"};
        backend.WriteString(ConfigPath(), "General", "MidiInDevice", "Keys");
        backend.Flush(ConfigPath());
    }

    std::string ConfigPath() const { return directory.File("Config.ini"); }

    void StartWithHeldKey() {
        program.Start(view);
        auto rule = std::make_unique<CChangeTableItem>();
        rule->InputKind = CChangeTableItem::Note;
        rule->OutputKind = CChangeTableItem::KeyInput;
        rule->NoteNumber = rule->NoteNumberEnd = 60;
        rule->KeyCode = kKeyA;
        rule->KeyHold = 1;
        program.AddRule(std::move(rule));
        Note(60);
        ASSERT_EQ(events.back(), KeysAction("v41"));
        events.clear();
    }
    void Note(std::uint8_t note) {
        program.Listeners().OnShortMessage(static_cast<std::uint32_t>(FakeMidiPlatform::HandleOf(0)),
                                           NoteOn(0, note));
    }
    // Where `event` is in the account; the end of it when it is missing.
    std::ptrdiff_t At(const std::string& event) const {
        return std::find(events.begin(), events.end(), event) - events.begin();
    }

    TempDir directory;
    Events events;
    OrderedMidi midi{events};
    OrderedActions actions{events};
    OrderedBackend backend{events};
    FakeDesktop desktop{events};
    FakeView view{events};
    NoScheduler scheduler;
    CResidentProgram program{desktop, actions, midi, scheduler,
                             CResidentProgram::Settings{"Sorbelquintaro", ConfigPath(), &backend}};
};

TEST_F(ResidentProgramTest, StartsTheTrayAndNoticesBeforeTheDeviceAndConvertsItsInput) {
    program.Start(view);
    EXPECT_EQ(events, (Events{"tray added Sorbelquintaro", "notices started"}));
    EXPECT_TRUE(midi.IsOpen(0));
    EXPECT_EQ(program.Table().GetDeviceName(), "Keys");
}

TEST_F(ResidentProgramTest, TheEndGoesInItsOrderAndTellsAFailedSaveLast) {
    ASSERT_NO_FATAL_FAILURE(StartWithHeldKey());
    backend.readOnly = true;
    program.End();
    EXPECT_EQ(events, (Events{KeysAction("^41"), "port closed", "notices stopped",
                              "tool windows closed", "save failed",
                              "tray removal begun", "window closed", "tray removed",
                              "workers stopped",
                              "end box 設定ファイル[" + ConfigPath() + "]の保存に失敗しました。"}));
    EXPECT_TRUE(program.HasEnded());
}

TEST_F(ResidentProgramTest, AfterTheEndNoInputStrikesAKeyAndASecondEndDoesNothing) {
    ASSERT_NO_FATAL_FAILURE(StartWithHeldKey());
    program.End();
    EXPECT_LT(At("port closed"), At("saved"));
    EXPECT_LT(At(KeysAction("^41")), At("saved"));
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const std::string& e) { return e.rfind("end box", 0) == 0; }),
              0);
    events.clear();
    Note(60);
    program.End();
    program.RequestEnd();
    EXPECT_TRUE(events.empty()) << events.front();
}

TEST_F(ResidentProgramTest, AnEndingSessionEndsInTheSameOrderWithoutABox) {
    ASSERT_NO_FATAL_FAILURE(StartWithHeldKey());
    backend.readOnly = true;
    program.EndSession(true);
    EXPECT_LT(At("port closed"), At("save failed"));
    EXPECT_LT(At("notices stopped"), At("window closed"));
    EXPECT_LT(At("tool windows closed"), At("window closed"));
    EXPECT_EQ(events.back(), "workers stopped");
}

TEST_F(ResidentProgramTest, ACancelledSessionEndReleasesAndSavesAndTheProgramGoesOn) {
    ASSERT_NO_FATAL_FAILURE(StartWithHeldKey());
    program.EndSession(false);
    EXPECT_EQ(events, (Events{KeysAction("^41"), "saved"}));
    EXPECT_FALSE(program.HasEnded());
    EXPECT_TRUE(midi.IsOpen(0));
}

TEST_F(ResidentProgramTest, ALockedSaveIsRetriedOnATimerAndTheLastChangeIsWhatLands) {
    ASSERT_NO_FATAL_FAILURE(StartWithHeldKey());
    backend.lockedTries = 2;
    program.ChooseSlotDevice(2, "Pads");
    ASSERT_TRUE(desktop.RetryPending());
    // The thread is not held: input goes on being converted meanwhile.
    program.Listeners().OnShortMessage(static_cast<std::uint32_t>(FakeMidiPlatform::HandleOf(0)),
                                       NoteOff(0, 60));
    EXPECT_EQ(events.back(), KeysAction("^41"));

    // A later change supersedes the retry and starts its count afresh.
    program.ChooseSlotDevice(2, "Drums");
    EXPECT_EQ(desktop.retryDelays, (std::vector<unsigned>{50, 50}));
    ASSERT_TRUE(desktop.FireSaveRetry());
    EXPECT_FALSE(desktop.RetryPending());
    EXPECT_EQ(events.back(), "saved");
    std::string device;
    CPortableIniBackend reader;
    ASSERT_TRUE(reader.ReadString(ConfigPath(), "General", "MidiInDevice2", device));
    EXPECT_EQ(device, "Drums");
    EXPECT_EQ(std::count_if(events.begin(), events.end(),
                            [](const std::string& e) { return e.rfind("balloon", 0) == 0; }),
              0);
}

TEST_F(ResidentProgramTest, ALockThatStaysIsToldOnceAsAFailedSaveAndTheEndSavesAgain) {
    program.Start(view);
    events.clear();
    backend.lockedTries = 1000;
    program.SaveChanges();
    int retries = 0;
    while (desktop.FireSaveRetry()) {
        ASSERT_LT(++retries, 20);
    }
    const unsigned waited =
        std::accumulate(desktop.retryDelays.begin(), desktop.retryDelays.end(), 0u);
    EXPECT_GE(waited, 2000u);
    EXPECT_LE(waited, 5000u);
    const std::string balloon = "balloon 設定ファイル[" + ConfigPath() +
                                "]に変更を保存できませんでした。"
                                "次に変更したときと終了するときに、もう一度保存します。";
    EXPECT_EQ(events.back(), balloon);

    // The next change is tried again, and its failure is not told twice;
    // a file that refuses for good is not retried.
    backend.lockedTries = 0;
    backend.readOnly = true;
    desktop.retryDelays.clear();
    program.SaveChanges();
    EXPECT_FALSE(desktop.RetryPending());
    EXPECT_TRUE(desktop.retryDelays.empty());
    EXPECT_EQ(std::count(events.begin(), events.end(), balloon), 1);

    // A retry still due when the program ends is the end's own save.
    backend.readOnly = false;
    backend.lockedTries = 1;
    program.SaveChanges();
    ASSERT_TRUE(desktop.RetryPending());
    program.End();
    EXPECT_FALSE(desktop.RetryPending());
    EXPECT_EQ(events.back(), "workers stopped");
    EXPECT_NE(At("saved"), static_cast<std::ptrdiff_t>(events.size()));
}

TEST_F(ResidentProgramTest, AModalWindowTurnsAwayASecondAndHoldsTheEndUntilItCloses) {
    program.Start(view);
    events.clear();
    {
        const CResidentProgram::ModalRun editor(program);
        EXPECT_FALSE(program.MayOpenModal());
        program.RequestEnd();
        EXPECT_FALSE(program.HasEnded());
        EXPECT_TRUE(events.empty());
    }
    // The window's handler has returned before the end runs.
    EXPECT_EQ(events, (Events{"end asked later"}));
    program.RequestEnd();
    EXPECT_TRUE(program.HasEnded());
    EXPECT_FALSE(program.MayOpenModal());
}

TEST_F(ResidentProgramTest, WithoutAModalWindowOneMayOpenAndClosingItEndsNothing) {
    program.Start(view);
    EXPECT_TRUE(program.MayOpenModal());
    { const CResidentProgram::ModalRun version(program); }
    EXPECT_TRUE(program.MayOpenModal());
    EXPECT_FALSE(program.HasEnded());
}

TEST_F(ResidentProgramTest, AMissingDeviceIsToldInABoxThatCountsAsModal) {
    midi.devices.clear();
    program.Start(view);
    EXPECT_THAT(events, ::testing::Contains("box MIDI-INデバイス[Keys]のオープンに失敗しました。"));
    EXPECT_TRUE(program.MayOpenModal());
}

TEST_F(ResidentProgramTest, RemovingRulesDeletesEachSelectedRowOnce) {
    program.Start(view);
    for (std::uint8_t note : {10, 20, 30, 40}) {
        auto rule = std::make_unique<CChangeTableItem>();
        rule->NoteNumber = rule->NoteNumberEnd = note;
        program.AddRule(std::move(rule));
    }
    program.RemoveRules({3, 1, 3, 9, -1});
    ASSERT_EQ(program.Table().GetSize(), 2);
    EXPECT_EQ(program.Table().GetAt(0)->NoteNumber, 10);
    EXPECT_EQ(program.Table().GetAt(1)->NoteNumber, 30);
}

TEST_F(ResidentProgramTest, UnpluggingOneOfTwoDevicesLeavesTheOthersHeldKeyDownAndItConverting) {
    // Keys is listed after Pads, so the unplug of Pads renumbers its port.
    midi.devices = {"Pads", "Keys"};
    backend.WriteString(ConfigPath(), "General", "MidiInDevice2", "Pads");
    backend.Flush(ConfigPath());
    program.Start(view);
    for (const std::uint8_t key : {kKeyA, std::uint8_t{0x42}}) {
        auto rule = std::make_unique<CChangeTableItem>();
        rule->InputKind = CChangeTableItem::Note;
        rule->OutputKind = CChangeTableItem::KeyInput;
        rule->NoteNumber = rule->NoteNumberEnd = key == kKeyA ? 60 : 62;
        rule->KeyCode = key;
        rule->KeyHold = key == kKeyA ? 1 : 0;
        program.AddRule(std::move(rule));
    }
    const auto keys = static_cast<std::uint32_t>(midi.PortAt(1));
    ASSERT_NE(keys, 0u);
    program.Listeners().OnShortMessage(keys, NoteOn(0, 60));
    ASSERT_EQ(events.back(), KeysAction("v41"));
    events.clear();

    midi.Unplug(0);
    ASSERT_NE(desktop.connections, nullptr);
    desktop.connections->OnDevicesChanged();
    desktop.connections->RunCheck();
    EXPECT_THAT(events, ::testing::Contains("balloon MIDI-INデバイス[Pads]が見つからなくなりました。"
                                            "接続し直すと自動的にオープンします。"));
    EXPECT_THAT(events, ::testing::Not(::testing::Contains(KeysAction("^41"))))
        << "the key held through Keys stays down";
    EXPECT_EQ(std::count(events.begin(), events.end(), "port closed"), 1) << "Pads' dead port only";
    EXPECT_EQ(program.Connections().Slot(1).PortHandle(), keys);

    events.clear();
    program.Listeners().OnShortMessage(keys, NoteOn(0, 62));
    program.Listeners().OnShortMessage(keys, NoteOff(0, 60));
    EXPECT_THAT(events, ::testing::Contains(KeyAction(0x42)));
    EXPECT_EQ(events.back(), KeysAction("^41")) << "released by its own note off";
}

} // namespace

TEST_F(ResidentProgramTest, ALayerSwitchIsNamedInTheTipAndOnScreenAndANameIsSavedAtOnce) {
    program.Start(view);
    auto toEdit = std::make_unique<CChangeTableItem>();
    toEdit->InputKind = CChangeTableItem::Note;
    toEdit->OutputKind = CChangeTableItem::SwitchLayer;
    toEdit->NoteNumber = toEdit->NoteNumberEnd = 50;
    toEdit->LayerTarget = 2;
    program.AddRule(std::move(toEdit));
    program.SaveChanges();
    const auto tipEndsWith = [&](const std::string& end) {
        return desktop.tip.size() >= end.size() &&
               desktop.tip.compare(desktop.tip.size() - end.size(), end.size(), end) == 0;
    };
    EXPECT_TRUE(tipEndsWith(" - レイヤー 1")) << desktop.tip;

    CLayerNames names = program.Table().LayerNames();
    ASSERT_TRUE(names.Set(2, "編集"));
    events.clear();
    EXPECT_TRUE(program.RenameLayers(names));
    EXPECT_EQ(events, Events{"saved"});
    EXPECT_FALSE(program.RenameLayers(names)) << "the same names: nothing to save";
    EXPECT_EQ(events.size(), 1u);

    Note(50);
    EXPECT_EQ(desktop.layerNotices, std::vector<std::string>{"編集"});
    EXPECT_TRUE(tipEndsWith(" - 編集")) << desktop.tip;

    // A long name: the tip keeps to its 127 bytes and still ends in the layer.
    ASSERT_TRUE(names.Set(2, std::string(300, 'n')));
    EXPECT_TRUE(program.RenameLayers(names));
    EXPECT_LE(desktop.tip.size(), 127u);
    EXPECT_TRUE(tipEndsWith(" - " + std::string(40, 'n'))) << desktop.tip;
}

TEST_F(ResidentProgramTest, PickingAnInputBringsItsControllersOutputForTheLightsAlong) {
    FakeMidiOutPlatform out;
    out.SetDevices({{"Microsoft GS Wavetable Synth", true}, {"MIDIOUT2 (Pads)"}, {"Other"}});
    midi.devices = {"Keys", "MIDIIN2 (Pads)"};
    CResidentProgram lit{desktop, actions, midi, scheduler,
                         CResidentProgram::Settings{"Sorbelquintaro", ConfigPath(), &backend, &out}};
    lit.Start(view);
    lit.ChooseSlotDevice(2, "MIDIIN2 (Pads)");
    EXPECT_EQ(lit.Table().GetMidiOut(2).device, "MIDIOUT2 (Pads)");
    EXPECT_TRUE(lit.Lights().IsOutputOpen(2)) << "opened with its input";
    CChangeTable saved;
    saved.Load(ConfigPath(), backend);
    EXPECT_EQ(saved.GetMidiOut(2).device, "MIDIOUT2 (Pads)");

    // A choice of the user's own stays when the input changes.
    lit.ChooseMidiOutDevice(2, "Other");
    EXPECT_TRUE(out.WaitFor("open 2 h=202 -> 0"));
    lit.ChooseSlotDevice(2, "Keys");
    EXPECT_EQ(lit.Table().GetMidiOut(2).device, "Other");
    lit.ChooseMidiOutDevice(2, "");
    EXPECT_FALSE(lit.Lights().IsOutputOpen(2));
    lit.End();
}
