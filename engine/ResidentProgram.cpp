#include "ResidentProgram.h"

#include "EngineSuspension.h"
#include "IMidiOutPlatform.h"
#include "MidiInStatusTexts.h"
#include "PortableIniBackend.h"
#include "ResidentDesktop.h"
#include "StringUtil.h"
#include "TimeOfDay.h"

#include <algorithm>
#include <utility>

using Status = CMidiInConnection::Status;

namespace {
// The device of the settings window.
constexpr std::uint8_t kFirstSlot = 1;
} // namespace

CResidentProgram::CResidentProgram(IResidentDesktop& desktop, IEngineActions& actions,
                                   IMidiPlatform& midi, IMidiInCheckScheduler& scheduler,
                                   Settings settings)
    : m_desktop(desktop), m_settings(std::move(settings)), m_engine(&m_table, actions),
      m_inputRecord(PlatformTimeOfDay()),
      m_lights(m_settings.midiOut != nullptr ? *m_settings.midiOut : PlatformMidiOut(), m_table,
               m_engine, actions, m_listenerManager,
               [this](const std::string& text, bool warning) {
                   m_desktop.ShowBalloon(text, warning);
               }),
      m_midiIn(CChangeTable::kDeviceSlots, midi, m_lights, scheduler,
               [this](int slot) { return EventsOfSlot(slot); }) {
    m_inputRecord.SetLayerNames(&m_table.LayerNames());
    m_engine.SetLayerChangeHandler([this](int layer) {
        ShowTrayTip();
        // The pads of the new layer light at once, not at the next message.
        m_lights.Refresh();
        if (m_phase == Phase::Running) {
            m_desktop.ShowLayerNotice(m_table.LayerNames().Display(layer));
        }
    });
}

SMidiInConnectionEvents CResidentProgram::EventsOfSlot(int slot) {
    const auto device = static_cast<std::uint8_t>(slot);
    return {[this, device, slot] {
                // Without the port no note-off or pedal release can come
                // any more, and a new port starts from controllers at 0;
                // the other devices' keys stay down.
                m_engine.PortClosed(device);
                m_lights.InputStopped(slot);
            },
            [this, slot](const MidiInDeviceList& devices) {
                if (slot == kFirstSlot && m_view != nullptr && m_phase == Phase::Running) {
                    m_view->ShowDevices(devices, m_table.GetDeviceName());
                }
            },
            [this, slot, device](Status before, Status after, bool byItself) {
                // A port kept open by a check keeps its controller values
                // and its lights.
                const std::uint32_t port = m_midiIn.Slot(slot).PortHandle();
                if (after == Status::Open && m_engine.SlotOfPort(port) != device) {
                    m_engine.PortOpened(device, port);
                    m_lights.InputOpened(slot);
                }
                ShowMidiInStatus(slot, before, after, byItself);
            },
            {}};
}

CResidentProgram::~CResidentProgram() {
    // Only when End never ran (the window could not be made).
    m_listenerManager.RemoveListener(&m_engine);
    m_listenerManager.RemoveListener(&m_inputRecord);
    m_midiIn.CloseAll();
}

void CResidentProgram::Start(IResidentView& view) {
    if (m_phase != Phase::Created) {
        return;
    }
    m_view = &view;
    m_phase = Phase::Running;
    m_desktop.AddTrayIcon(m_settings.appName);
    m_desktop.StartNotices(m_midiIn);
    if (m_settings.backend != nullptr) {
        m_table.Load(m_settings.configPath, *m_settings.backend);
    } else {
        m_table.Load(m_settings.configPath);
    }
    m_engine.TableChanged();
    m_lights.TableChanged();
    m_view->ShowDevices(m_midiIn.ListDevices(), m_table.GetDeviceName());
    m_view->ShowRules();
    OpenAllSlots();
    // The devices' tip is set as each slot opens; the layer only here.
    ShowTrayTip();
    // The record hears a message before the engine, which then tells it
    // what it did.
    m_listenerManager.AddListener(&m_inputRecord);
    m_listenerManager.AddListener(&m_engine);
    m_engine.SetObserver(&m_inputRecord);
    m_inputRecord.SetPortSlots(&m_engine.PortDevices());
}

void CResidentProgram::OpenAllSlots() {
    std::vector<std::string> names;
    for (int slot = 1; slot <= CChangeTable::kDeviceSlots; ++slot) {
        names.push_back(m_table.GetDeviceName(slot));
    }
    m_midiIn.OpenAll(names, m_desktop.InputReceiver());
    // Slot 1 is told in a box as it always was; the others the tip tells.
    const Status status = m_midiIn.Slot(kFirstSlot).GetStatus();
    if ((status == Status::Missing || status == Status::Unopenable) && m_view != nullptr) {
        const ModalRun modal(*this);
        m_view->ShowBox(Format("MIDI-INデバイス[%s]のオープンに失敗しました。",
                               m_table.GetDeviceName().c_str()));
    }
}

void CResidentProgram::OpenMidiInDevice() {
    const std::string name = m_table.GetDeviceName();
    // The tip is shown before the box: the box waits for the user, and the
    // device may be found again meanwhile.
    const Status status = m_midiIn.Slot(kFirstSlot).Open(name, m_desktop.InputReceiver());
    if ((status == Status::Missing || status == Status::Unopenable) && m_view != nullptr) {
        const ModalRun modal(*this);
        m_view->ShowBox(Format("MIDI-INデバイス[%s]のオープンに失敗しました。", name.c_str()));
    }
}

void CResidentProgram::ChooseSlotDevice(int slot, const std::string& name) {
    if (slot <= kFirstSlot || slot > CChangeTable::kDeviceSlots) {
        return;
    }
    ProposeMidiOut(slot, m_table.GetDeviceName(slot), name);
    m_table.SetDeviceName(slot, name);
    SaveChanges();
    m_midiIn.Slot(slot).Open(name, m_desktop.InputReceiver());
    // The list text of the slot's rules names the device.
    if (m_view != nullptr) {
        m_view->ShowRules();
    }
}

void CResidentProgram::ChooseMidiOutDevice(int slot, const std::string& name) {
    if (slot < kFirstSlot || slot > CChangeTable::kDeviceSlots) {
        return;
    }
    m_table.SetMidiOutDevice(slot, name);
    SaveChanges();
    if (m_midiIn.Slot(slot).GetStatus() == Status::Open) {
        m_lights.InputOpened(slot);
    } else {
        m_lights.InputStopped(slot);
    }
}

void CResidentProgram::ProposeMidiOut(int slot, const std::string& oldInput,
                                      const std::string& newInput) {
    if (oldInput == newInput) {
        return;
    }
    const SMidiOutDevices outputs = m_lights.ListOutputs();
    const std::string current = m_table.GetMidiOut(slot).device;
    // The output the old input had brought along, or none: it follows.
    const bool byProposal =
        current.empty() || ProposeMidiOutDevice(outputs, oldInput).value_or("") == current;
    if (!byProposal) {
        return;
    }
    // Opened with the input, which opens right after this.
    m_table.SetMidiOutDevice(slot, ProposeMidiOutDevice(outputs, newInput).value_or(""));
}

void CResidentProgram::ShowMidiInStatus(int slot, Status before, Status after, bool byItself) {
    // The tip always tells the devices' state; a balloon tells what the
    // program found by itself (the user's own choice is answered by a box).
    // The monitor's record names each message's own device.
    m_inputRecord.SetDeviceName(slot, m_midiIn.Slot(slot).GetDeviceName());
    if (m_phase != Phase::Running) {
        return;
    }
    ShowTrayTip();
    const CMidiInConnection& connection = m_midiIn.Slot(slot);
    if (const auto balloon = MidiInStatusBalloon(before, after, byItself,
                                                 connection.GetDeviceName(),
                                                 connection.GetCandidates())) {
        m_desktop.ShowBalloon(balloon->text, balloon->warning);
    }
}

void CResidentProgram::ShowTrayTip() {
    if (m_phase != Phase::Running) {
        return;
    }
    std::vector<SMidiInSlotState> named;
    for (int s = 1; s <= m_midiIn.SlotCount(); ++s) {
        const CMidiInConnection& connection = m_midiIn.Slot(s);
        if (!connection.GetDeviceName().empty()) {
            named.push_back({connection.GetStatus(), connection.GetDeviceName()});
        }
    }
    const std::string devices = MidiInSlotsTrayTip(m_settings.appName, named);
    if (!m_table.UsesLayers()) {
        m_desktop.SetTrayTip(devices);
        return;
    }
    // The tip holds 127 bytes: the layer keeps its place at the end, a long
    // name cut, and the devices' part gives way.
    constexpr std::size_t kTipBytes = 127;
    constexpr std::size_t kLayerBytes = 40;
    const std::string layer =
        " - " + CutAtCharacterBoundary(m_table.LayerNames().Display(m_engine.CurrentLayer()),
                                       kLayerBytes);
    m_desktop.SetTrayTip(CutAtCharacterBoundary(devices, kTipBytes - layer.size()) + layer);
}

bool CResidentProgram::RenameLayers(const CLayerNames& names) {
    if (names == m_table.LayerNames()) {
        return false;
    }
    m_table.LayerNames() = names;
    SaveChanges();
    if (m_view != nullptr) {
        m_view->ShowRules();
    }
    return true;
}

bool CResidentProgram::ExportTable(const std::string& path) {
    CPortableIniBackend onePass;
    return m_table.Export(path, m_settings.backend != nullptr ? *m_settings.backend : onePass);
}

CChangeTable::ImportReport CResidentProgram::ImportTable(const std::string& path,
                                                         CChangeTable::ImportMode mode) {
    // Rules may go: no hold may outlive its rule.
    const CEngineSuspension suspended(m_engine);
    CPortableIniBackend onePass;
    const CChangeTable::ImportReport report =
        m_table.Import(path, m_settings.backend != nullptr ? *m_settings.backend : onePass, mode);
    if (report.heldTable) {
        SaveChanges();
    }
    return report;
}

void CResidentProgram::ChooseDevice(const std::string& name) {
    ProposeMidiOut(kFirstSlot, m_table.GetDeviceName(), name);
    m_table.SetDeviceName(name);
    SaveChanges();
    OpenMidiInDevice();
}

int CResidentProgram::AddRule(std::unique_ptr<CChangeTableItem> rule) {
    const int index = m_table.GetSize();
    m_table.InsertAt(index, rule.release());
    m_engine.TableChanged();
    return index;
}

void CResidentProgram::RemoveRule(int index) {
    if (index >= 0 && index < m_table.GetSize()) {
        m_table.RemoveAndDelete(index);
        m_engine.TableChanged();
    }
}

void CResidentProgram::RemoveRules(const std::vector<int>& rows) {
    std::vector<int> sorted(rows);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    // From the highest row down, so that the lower rows keep their places.
    for (auto row = sorted.rbegin(); row != sorted.rend(); ++row) {
        RemoveRule(*row);
    }
}

bool CResidentProgram::Save() {
    return m_settings.backend != nullptr ? m_table.Save(m_settings.configPath, *m_settings.backend)
                                         : m_table.Save(m_settings.configPath);
}

FileTry CResidentProgram::TrySave() {
    return m_settings.backend != nullptr
               ? m_table.TrySave(m_settings.configPath, *m_settings.backend)
               : m_table.TrySave(m_settings.configPath);
}

void CResidentProgram::SaveChanges() {
    // A change may be the first rule on a layer, or the last, or a name.
    ShowTrayTip();
    // Every change of the settings window comes here: the lights follow it.
    m_lights.TableChanged();
    m_saveRetries = 0;
    TrySaveChanges();
}

void CResidentProgram::TrySaveChanges() {
    const FileTry saved = TrySave();
    if (saved == FileTry::Done) {
        m_desktop.CancelSaveRetry();
        m_saveFailureShown = false;
        return;
    }
    if (saved == FileTry::Locked) {
        // The retry saves the table as it is when the timer fires, so the
        // last change the user made is the one that lands.
        const unsigned pause = PauseBeforeTimedRetry(++m_saveRetries);
        if (pause != 0 && m_desktop.ScheduleSaveRetry(pause, [this] {
                if (m_phase == Phase::Running) {
                    TrySaveChanges();
                }
            })) {
            return;
        }
    }
    m_desktop.CancelSaveRetry();
    TellSaveFailure();
}

void CResidentProgram::TellSaveFailure() {
    if (!m_saveFailureShown) {
        m_saveFailureShown = true;
        m_desktop.ShowBalloon(Format("設定ファイル[%s]に変更を保存できませんでした。"
                                     "次に変更したときと終了するときに、もう一度保存します。",
                                     m_settings.configPath.c_str()),
                              true);
    }
}

CResidentProgram::ModalRun::ModalRun(CResidentProgram& program) : m_program(program) {
    m_program.m_modal.Opened();
}

CResidentProgram::ModalRun::~ModalRun() {
    m_program.ModalClosed();
}

void CResidentProgram::ModalClosed() {
    // Not from here: the handler that opened the window still runs and
    // uses the window.
    if (m_modal.Closed() && m_phase == Phase::Running && m_view != nullptr) {
        m_view->AskEndLater();
    }
}

void CResidentProgram::RequestEnd() {
    if (m_modal.AskEnd()) {
        End();
    }
}

void CResidentProgram::EndSession(bool ending) {
    if (ending) {
        EndRun(false);
        return;
    }
    // The end was cancelled: the program goes on, with what it holds saved
    // as a change is (the thread converts input again at once).
    m_engine.ReleaseHeldKeys();
    SaveChanges();
}

void CResidentProgram::End() {
    EndRun(true);
}

void CResidentProgram::EndRun(bool tellFailures) {
    if (m_phase != Phase::Running) {
        m_phase = Phase::Ended;
        return;
    }
    m_phase = Phase::Ended;
    // 1. No input any more: the engine leaves the listeners, the port closes.
    m_listenerManager.RemoveListener(&m_engine);
    m_listenerManager.RemoveListener(&m_inputRecord);
    m_midiIn.CloseAll();
    //    Each output's lights went off with its input, then its exit bytes;
    //    what is still queued goes out now, for a bounded time.
    m_lights.End();
    // 2. What held rules keep down is let go (seen home as during the run).
    m_engine.ReleaseHeldKeys();
    // 3. The hook and the notices, while their window still exists; then
    //    the monitor and the switch notice, before the window they go with.
    m_desktop.StopNotices();
    if (m_view != nullptr) {
        m_view->CloseToolWindows();
    }
    // 4. The table, whatever happened to the saves during the run; a retry
    //    still due is this save.
    m_desktop.CancelSaveRetry();
    const bool saved = Save();
    // 5. The icon goes on a thread of its own while the window is hidden
    //    and destroyed (each can wait on the shell or the X server).
    m_desktop.BeginRemoveTrayIcon();
    if (m_view != nullptr) {
        m_view->CloseWindow();
    }
    m_desktop.CompleteTrayIconRemoval();
    // 6. The threads that start programs, for a bounded time.
    m_desktop.StopWorkers();
    // 7. Nothing reaches the program any more: the box may wait for the user.
    if (!saved && tellFailures) {
        m_desktop.ShowEndBox(
            Format("設定ファイル[%s]の保存に失敗しました。", m_settings.configPath.c_str()));
    }
}
