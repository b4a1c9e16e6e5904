#pragma once
#include "ChangeTable.h"
#include "ControllerLights.h"
#include "ConversionEngine.h"
#include "InputRecord.h"
#include "MidiInConnections.h"
#include "MidiInEventListenerManager.h"
#include "ModalWindows.h"

#include <memory>
#include <string>
#include <vector>

class IEngineActions;
class IIniBackend;
class IMidiInCheckScheduler;
class IMidiOutPlatform;
class IMidiPlatform;
class IResidentDesktop;
class IResidentView;

// The running program: the conversion table, the engine that converts the
// input, the MIDI-IN connection, the tray icon's state and the saving of
// Config.ini. It starts the parts in one order and ends them in the reverse
// (End), and decides what the settings window shows; the window forwards
// what the user does. Platform-free: the desktop and the window are seams.
class CResidentProgram {
public:
    struct Settings {
        std::string appName;
        std::string configPath;
        // Null: the program's own file implementation.
        IIniBackend* backend = nullptr;
        // Null: the platform's MIDI output service.
        IMidiOutPlatform* midiOut = nullptr;
    };

    CResidentProgram(IResidentDesktop& desktop, IEngineActions& actions, IMidiPlatform& midi,
                     IMidiInCheckScheduler& scheduler, Settings settings);
    ~CResidentProgram();

    CResidentProgram(const CResidentProgram&) = delete;
    CResidentProgram& operator=(const CResidentProgram&) = delete;

    // The window exists: tray icon, notices, the table from Config.ini, the
    // device list, the device opened, the engine listening.
    void Start(IResidentView& view);

    // The user asked for the end (the tray's Exit, Esc, the close box). It
    // runs now, or as soon as the modal window that is open closes.
    void RequestEnd();
    // Stop input, release held keys, stop notices while the window exists,
    // save, remove the tray icon, close the window, stop the threads; then,
    // when nothing can reach the program any more, tell a failed save. Runs
    // once; later calls do nothing.
    void End();
    // The desktop session ends (`ending`) or its end was cancelled. An
    // ending session ends the program without a box (nobody would read it
    // and the box would hold the session's end); a cancelled one only saves.
    void EndSession(bool ending);
    bool HasEnded() const { return m_phase == Phase::Ended; }

    // The modal windows of the program. A tray command that would open one
    // asks MayOpenModal first; a ModalRun lives as long as the window.
    bool MayOpenModal() const { return m_phase == Phase::Running && !m_modal.IsOpen(); }
    class ModalRun {
    public:
        explicit ModalRun(CResidentProgram& program);
        ~ModalRun();
        ModalRun(const ModalRun&) = delete;
        ModalRun& operator=(const ModalRun&) = delete;

    private:
        CResidentProgram& m_program;
    };

    void ToggleEnabled() {
        m_engine.OnToggleEnabled();
        m_lights.Refresh();
    }
    bool IsEnabled() const { return m_engine.IsEnabled(); }

    // The user chose a device in the list.
    void ChooseDevice(const std::string& name);
    // (Re)opens the device of slot 1 named in the table and tells in a box
    // when that fails.
    void OpenMidiInDevice();
    // The user chose the device of a slot 2..8 (empty: none): saved and
    // opened at once; what came of it the tray tells.
    void ChooseSlotDevice(int slot, const std::string& name);
    // The user chose the output paired with a slot's input (empty: none):
    // saved, and opened at once when the input is open.
    void ChooseMidiOutDevice(int slot, const std::string& name);
    const CMidiInConnections& Connections() const { return m_midiIn; }
    const CControllerLights& Lights() const { return m_lights; }
    SMidiOutDevices ListMidiOutDevices() const { return m_lights.ListOutputs(); }
    MidiInDeviceList ListDevices() const { return m_midiIn.ListDevices(); }

    // Appends a rule; its index.
    int AddRule(std::unique_ptr<CChangeTableItem> rule);
    // Rows from the list, in any order; out-of-range ones are skipped.
    void RemoveRules(const std::vector<int>& rows);
    void RemoveRule(int index);
    // Keeps a change the user made at once, so that a crash or a kill loses
    // nothing the window showed. A file another program holds for a moment
    // is tried again on a timer, never waited for on this thread, and the
    // retry writes the table as it is then; a change meanwhile starts
    // afresh. A failure is told once in a balloon; the next change and the
    // end try again.
    void SaveChanges();

    // Gives the layers these names and saves them, when they differ from
    // the names the table has; the list and the tip show them at once.
    bool RenameLayers(const CLayerNames& names);

    // Writes the table and the layer names to a file the user chose.
    bool ExportTable(const std::string& path);
    // Reads one in, replacing the table or adding to it, and saves the
    // result. Nothing changes when the file holds no table.
    CChangeTable::ImportReport ImportTable(const std::string& path, CChangeTable::ImportMode mode);

    const CChangeTable& Table() const { return m_table; }
    CChangeTable& Table() { return m_table; }
    CConversionEngine& Engine() { return m_engine; }
    CMidiInEventListenerManager& Listeners() { return m_listenerManager; }
    // Every message and what became of it, from the start; the MIDI
    // monitor shows it.
    CInputRecord& Record() { return m_inputRecord; }

private:
    enum class Phase { Created, Running, Ended };

    SMidiInConnectionEvents EventsOfSlot(int slot);
    void ShowMidiInStatus(int slot, CMidiInConnection::Status before,
                          CMidiInConnection::Status after, bool byItself);
    void OpenAllSlots();
    // The devices' state and, when the table uses layers, the current layer.
    void ShowTrayTip();
    // A new input of a slot brings the output of the same controller along
    // (MidiOutDeviceList.h), unless the user paired another one by hand.
    void ProposeMidiOut(int slot, const std::string& oldInput, const std::string& newInput);
    void ModalClosed();
    // One try, without waiting.
    FileTry TrySave();
    void TrySaveChanges();
    void TellSaveFailure();
    // Waits a moment for a locked file: only at the end.
    bool Save();
    void EndRun(bool tellFailures);

    IResidentDesktop& m_desktop;
    IResidentView* m_view = nullptr;
    Settings m_settings;
    CChangeTable m_table;
    CConversionEngine m_engine;
    CMidiInEventListenerManager m_listenerManager;
    CInputRecord m_inputRecord;
    // Between the inputs and the listeners: built before the connections.
    CControllerLights m_lights;
    CMidiInConnections m_midiIn;
    CModalWindows m_modal;
    Phase m_phase = Phase::Created;
    // The last save of a change failed and the user has been told.
    bool m_saveFailureShown = false;
    // Retries of the latest change's save made so far, while its file is
    // locked.
    int m_saveRetries = 0;
};
