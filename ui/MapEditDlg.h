#pragma once
#include "ComboBox.h"
#include "Dialog.h"
#include "KnobCapture.h"
#include "LayerChoices.h"
#include "LayerNames.h"
#include "MapEditValues.h"
#include "MidiInEventListener.h"
#include "PitchBendWheel.h"
#include "RuleDeviceCombo.h"

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

class CChangeTableItem;
class CMidiInEventListenerManager;

// The modal editor of one conversion rule. While it is open it captures
// input live: a MIDI event selects its input kind and fills in its number,
// a key pressed outside the number edits becomes the rule's key stroke.
// The rule itself changes only on OK.
class CMapEditDlg : public CDialog, public CMidiInEventListener {
public:
    // `rule` is not owned; `isNew` titles the editor for adding. MIDI input
    // arrives through `manager` while the window exists.
    CMapEditDlg(CChangeTableItem& rule, bool isNew, CMidiInEventListenerManager& manager,
                CWnd* parent = nullptr);
    ~CMapEditDlg() override;

    // The devices of the slots (slotNames[0] is slot 1's) and which slot a
    // port's input belongs to, for the choice of the rule's device and its
    // capture. Without them the editor leaves the rule's device as it is.
    void SetDevices(std::vector<std::string> slotNames,
                    std::function<std::uint8_t(std::uint32_t portHandle)> slotOfPort);

    // The names of the layers, for the rule's layer and a switch's target.
    void SetLayerNames(const CLayerNames& names) { m_layerNames = names; }

    void OnNoteOn(std::uint32_t portHandle, std::uint8_t channel, std::uint8_t note,
                  std::uint8_t velocity) override;
    void OnPitchBend(std::uint32_t portHandle, std::uint8_t channel, std::int32_t value) override;
    void OnControlChange(std::uint32_t portHandle, std::uint8_t channel, std::uint8_t controller,
                         std::uint8_t value) override;
    void OnProgramChange(std::uint32_t portHandle, std::uint8_t channel,
                         std::uint8_t program) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    bool OnCommand(UINT id, UINT notifyCode, HWND control) override;
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL PreTranslateMessage(MSG* msg) override;

private:
    // Controls to members. While a failing read shows its message box, live
    // capture pauses, and a read asked for meanwhile takes the members as
    // they are, so that a stream of MIDI input neither stacks one box on the
    // other nor rewrites the fields under the box.
    bool ReadControls();
    void UpdateControlStates();
    void EnableControls(const int* ids, int count, bool enable);
    // Read, change, write, UpdateControlStates: the frame of every capture.
    template <typename Change> void Capture(Change change);
    void CaptureKey(const MSG& msg);
    void OnSelectApplication();
    void OnBrowseForeApplication();
    void RefuseMissingForeApplication();
    void ShowExeName();
    void FillKeyCombo();
    void FillChannelCombo();
    void FillKnobAndMouseCombos();
    void FillLayerCombos();
    void OnKeyChosen();
    // The key list shows the key of the rule when the list has it.
    void ShowKeyInList();
    // Members to controls, with what follows from them.
    void WriteControls();
    void CaptureDevice(std::uint32_t portHandle);
    // The sequence's items into their list, `selected` chosen (-1: none).
    void ShowSequence(int selected);
    int SelectedSequenceItem() const;
    // Read, change (returns the item to select, -1 when nothing changed),
    // show: the frame of the sequence's buttons.
    template <typename Change> void ChangeSequence(Change change);
    // The layer lists: one value each through its list's choices.
    void ExchangeLayerChoice(CDataExchange* pDX, int id, const LayerChoices& choices, int& value);
    // The actions a switch may take on the input kind shown.
    void OfferLayerActions();
    // True for the buttons of the sequence.
    bool OnSequenceButton(UINT id);

    CChangeTableItem& m_rule;
    const bool m_bIsNew;
    CMidiInEventListenerManager& m_listenerManager;
    CMapEditValues m_values;
    CComboBox m_comboChannel;
    CComboBox m_comboKey;
    CComboBox m_comboKeyList;
    CComboBox m_comboDevice;
    CRuleDeviceCombo m_device{m_comboDevice};
    std::vector<std::string> m_slotNames;
    std::function<std::uint8_t(std::uint32_t)> m_slotOfPort;
    CLayerNames m_layerNames;
    LayerChoices m_layerChoices;
    LayerChoices m_actionChoices;
    LayerChoices m_targetChoices;
    CPitchBendWheel m_pitchBend;
    CKnobCapture m_knob;
    bool m_bListening = false;
    bool m_bReading = false;
};
