#include "MapEditDlg.h"

#include "AppSelectDlg.h"
#include "ChangeTableItem.h"
#include "ChoosableKeys.h"
#include "DataExchange.h"
#include "EditorResource.h"
#include "KeyCapture.h"
#include "KeyNames.h"
#include "KeySequence.h"
#include "MapEditControlStates.h"
#include "MessageBox.h"
#include "MidiInEventListenerManager.h"
#include "StringUtil.h"

namespace {
constexpr int kKeyCodeCount = 256;
constexpr int kChannelCount = 16;
constexpr int kClassNameSize = 100;

constexpr int kNoteControls[] = {IDC_MAPEDIT_NOTE_LABEL, IDC_MAPEDIT_NOTE_NUMBER,
                                 IDC_MAPEDIT_NOTE_TILDE, IDC_MAPEDIT_NOTE_NUMBER_END};
constexpr int kControllerControls[] = {IDC_MAPEDIT_CC_LABEL, IDC_MAPEDIT_CC_NUMBER};
constexpr int kControllerEdgeControls[] = {IDC_MAPEDIT_CC_EDGE};
constexpr int kKnobControls[] = {IDC_MAPEDIT_CC_MODE_LABEL, IDC_MAPEDIT_CC_MODE};
constexpr int kModifierControls[] = {IDC_MAPEDIT_SHIFT, IDC_MAPEDIT_CONTROL, IDC_MAPEDIT_ALT};
constexpr int kMouseControls[] = {IDC_MAPEDIT_MOUSE_ACTION};
constexpr int kProgramControls[] = {IDC_MAPEDIT_PC_LABEL, IDC_MAPEDIT_PC_NUMBER,
                                    IDC_MAPEDIT_PC_RANGE};
constexpr int kKeyControls[] = {IDC_MAPEDIT_KEY};
constexpr int kCCModeCount = 4;
constexpr int kMouseActionCount = 9;
constexpr int kSequenceControls[] = {IDC_MAPEDIT_SEQUENCE_LIST,      IDC_MAPEDIT_SEQUENCE_ADD_KEY,
                                     IDC_MAPEDIT_SEQUENCE_ADD_WAIT,  IDC_MAPEDIT_SEQUENCE_WAIT_MS,
                                     IDC_MAPEDIT_SEQUENCE_WAIT_UNIT, IDC_MAPEDIT_SEQUENCE_REMOVE,
                                     IDC_MAPEDIT_SEQUENCE_UP,        IDC_MAPEDIT_SEQUENCE_DOWN};
constexpr int kStrokeGapControls[] = {IDC_MAPEDIT_STROKE_GAP_LABEL, IDC_MAPEDIT_STROKE_GAP};
// Room for 1,000 characters of two bytes; the rule cuts what is longer.
constexpr int kTextByteLimit = 2000;
constexpr int kApplicationControls[] = {IDC_MAPEDIT_EXE_NAME, IDC_MAPEDIT_SELECT_APP,
                                        IDC_MAPEDIT_ACT_LAUNCH};
constexpr int kLightValueControls[] = {IDC_MAPEDIT_LIGHT_CHANNEL_LABEL, IDC_MAPEDIT_LIGHT_CHANNEL,
                                       IDC_MAPEDIT_LIGHT_ON_LABEL,      IDC_MAPEDIT_LIGHT_ON,
                                       IDC_MAPEDIT_LIGHT_OFF_LABEL,     IDC_MAPEDIT_LIGHT_OFF};

template <size_t N> constexpr int CountOf(const int (&)[N]) {
    return static_cast<int>(N);
}

bool IsKindRadio(UINT id) {
    switch (id) {
    case IDC_MAPEDIT_NOTE_EVENT:
    case IDC_MAPEDIT_CC_EVENT:
    case IDC_MAPEDIT_BEND_MINUS:
    case IDC_MAPEDIT_BEND_PLUS:
    case IDC_MAPEDIT_PC_EVENT:
    case IDC_MAPEDIT_CC_UP:
    case IDC_MAPEDIT_CC_DOWN:
    case IDC_MAPEDIT_KEY_INPUT:
    case IDC_MAPEDIT_ACTIVATE:
    case IDC_MAPEDIT_TOGGLE:
    case IDC_MAPEDIT_MOUSE:
    case IDC_MAPEDIT_SEQUENCE:
    case IDC_MAPEDIT_TYPE_TEXT:
    case IDC_MAPEDIT_SWITCH_LAYER:
        return true;
    default:
        return false;
    }
}

bool IsKeyDown(int virtualKey) {
    return (::GetKeyState(virtualKey) & 0x8000) != 0;
}

std::string FocusClassName() {
    HWND focus = ::GetFocus();
    if (focus == nullptr) {
        return std::string();
    }
    char name[kClassNameSize] = {};
    if (::GetClassNameA(focus, name, kClassNameSize) == 0) {
        return std::string();
    }
    return name;
}
} // namespace

CMapEditDlg::CMapEditDlg(CChangeTableItem& rule, bool isNew, CMidiInEventListenerManager& manager,
                         CWnd* parent)
    : CDialog(IDD_MAP_EDIT, parent), m_rule(rule), m_bIsNew(isNew), m_listenerManager(manager),
      m_values(rule) {}

void CMapEditDlg::SetDevices(std::vector<std::string> slotNames,
                             std::function<std::uint8_t(std::uint32_t)> slotOfPort) {
    m_slotNames = std::move(slotNames);
    m_slotOfPort = std::move(slotOfPort);
}

void CMapEditDlg::CaptureDevice(std::uint32_t portHandle) {
    if (m_slotOfPort && m_device.IsWanted()) {
        m_device.Select(m_slotOfPort(portHandle));
    }
}

CMapEditDlg::~CMapEditDlg() {
    // Only when the window never reached its destruction under our control.
    if (m_bListening) {
        m_listenerManager.RemoveListener(this);
    }
}

void CMapEditDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_MAPEDIT_CHANNEL, m_comboChannel);
    DDX_Control(pDX, IDC_MAPEDIT_KEY, m_comboKey);
    DDX_Radio(pDX, IDC_MAPEDIT_NOTE_EVENT, m_values.m_nInputKind);
    DDX_Check(pDX, IDC_MAPEDIT_ALT, m_values.m_bAlt);
    DDX_Check(pDX, IDC_MAPEDIT_CONTROL, m_values.m_bCtrl);
    DDX_Check(pDX, IDC_MAPEDIT_SHIFT, m_values.m_bShift);
    DDX_CBIndex(pDX, IDC_MAPEDIT_KEY, m_values.m_nKeyCode);
    DDX_Text(pDX, IDC_MAPEDIT_CC_NUMBER, m_values.m_nCCNumber);
    DDX_Text(pDX, IDC_MAPEDIT_NOTE_NUMBER, m_values.m_nNoteNumber);
    DDX_Check(pDX, IDC_MAPEDIT_CC_EDGE, m_values.m_bCCFlag);
    DDX_Text(pDX, IDC_MAPEDIT_NOTE_NUMBER_END, m_values.m_nNoteNumberEnd);
    int outputRadio = OutputRadioOf(m_values.m_nOutputKind);
    DDX_Radio(pDX, IDC_MAPEDIT_KEY_INPUT, outputRadio);
    if (pDX->m_bSaveAndValidate) {
        m_values.m_nOutputKind = OutputKindOfRadio(outputRadio, m_values.m_nOutputKind);
    }
    DDX_CBIndex(pDX, IDC_MAPEDIT_CHANNEL, m_values.m_nInputCh);
    DDX_CBIndex(pDX, IDC_MAPEDIT_PC_RANGE, m_values.m_nPCRange);
    DDX_Text(pDX, IDC_MAPEDIT_PC_NUMBER, m_values.m_nPCNumber);
    DDX_Check(pDX, IDC_MAPEDIT_ACT_LAUNCH, m_values.m_bActLaunch);
    DDX_Check(pDX, IDC_MAPEDIT_KEY_HOLD, m_values.m_bKeyHold);
    DDX_Control(pDX, IDC_MAPEDIT_KEY_LIST, m_comboKeyList);
    DDX_Control(pDX, IDC_MAPEDIT_DEVICE, m_comboDevice);
    DDX_CBIndex(pDX, IDC_MAPEDIT_CC_MODE, m_values.m_nCCMode);
    DDX_CBIndex(pDX, IDC_MAPEDIT_MOUSE_ACTION, m_values.m_nMouseAction);
    DDX_Check(pDX, IDC_MAPEDIT_FORE_ONLY, m_values.m_bForeOnly);
    DDX_Text(pDX, IDC_MAPEDIT_FORE_PATH, m_values.m_strForeExePath);
    DDX_Check(pDX, IDC_MAPEDIT_KEY_REPEAT, m_values.m_bKeyRepeat);
    DDX_Text(pDX, IDC_MAPEDIT_SEQUENCE_WAIT_MS, m_values.m_nWaitMs);
    DDX_Text(pDX, IDC_MAPEDIT_TEXT, m_values.m_strText);
    DDX_Text(pDX, IDC_MAPEDIT_STROKE_GAP, m_values.m_nStrokeGap);
    ExchangeLayerChoice(pDX, IDC_MAPEDIT_LAYER, m_layerChoices, m_values.m_nLayer);
    ExchangeLayerChoice(pDX, IDC_MAPEDIT_LAYER_ACTION, m_actionChoices, m_values.m_nLayerAction);
    ExchangeLayerChoice(pDX, IDC_MAPEDIT_LAYER_TARGET, m_targetChoices, m_values.m_nLayerTarget);
    DDX_Check(pDX, IDC_MAPEDIT_LIGHT, m_values.m_bFeedback);
    DDX_CBIndex(pDX, IDC_MAPEDIT_LIGHT_CHANNEL, m_values.m_nFeedbackCh);
    DDX_Text(pDX, IDC_MAPEDIT_LIGHT_ON, m_values.m_nFeedbackOn);
    DDX_Text(pDX, IDC_MAPEDIT_LIGHT_OFF, m_values.m_nFeedbackOff);
}

// No entry chosen reads as the value kept; a value without an entry shows
// none.
void CMapEditDlg::ExchangeLayerChoice(CDataExchange* pDX, int id, const LayerChoices& choices,
                                      int& value) {
    HWND combo = GetDlgItem(id);
    if (combo == nullptr) {
        return;
    }
    if (pDX->m_bSaveAndValidate) {
        const int selected = static_cast<int>(::SendMessageA(combo, CB_GETCURSEL, 0, 0));
        if (selected >= 0 && selected < static_cast<int>(choices.size())) {
            value = choices[static_cast<std::size_t>(selected)].value;
        }
    } else {
        ::SendMessageA(combo, CB_SETCURSEL,
                       static_cast<WPARAM>(LayerChoiceIndex(choices, value)), 0);
    }
}

void CMapEditDlg::OfferLayerActions() {
    LayerChoices offered = LayerActionChoices(m_values.m_nInputKind);
    if (offered.size() == m_actionChoices.size()) {
        return;
    }
    m_actionChoices = std::move(offered);
    m_values.KeepLayerActionPossible();
    HWND combo = GetDlgItem(IDC_MAPEDIT_LAYER_ACTION);
    if (combo == nullptr) {
        return;
    }
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (const SLayerChoice& choice : m_actionChoices) {
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(choice.text.c_str()));
    }
    ::SendMessageA(combo, CB_SETCURSEL,
                   static_cast<WPARAM>(LayerChoiceIndex(m_actionChoices, m_values.m_nLayerAction)),
                   0);
}

BOOL CMapEditDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_bIsNew) {
        SetText("変換マップの追加");
    }
    FillKeyCombo();
    FillChannelCombo();
    FillKnobAndMouseCombos();
    FillLayerCombos();
    m_device.Fill(m_slotNames, m_rule.InputDevice);
    // With one device there is nothing to choose: the choice stays hidden.
    for (const int id : {IDC_MAPEDIT_DEVICE_LABEL, IDC_MAPEDIT_DEVICE}) {
        if (HWND control = ::GetDlgItem(m_hWnd, id)) {
            ::ShowWindow(control, m_device.IsWanted() ? SW_SHOW : SW_HIDE);
        }
    }
    ::SendDlgItemMessageA(GetSafeHwnd(), IDC_MAPEDIT_TEXT, EM_LIMITTEXT, kTextByteLimit, 0);
    WriteControls();
    ShowExeName();
    m_listenerManager.AddListener(this);
    m_bListening = true;
    return TRUE;
}

void CMapEditDlg::FillKeyCombo() {
    // Position in the list is the key code.
    for (int code = 0; code < kKeyCodeCount; ++code) {
        m_comboKey.AddString(GetKeyName(static_cast<std::uint8_t>(code)));
    }
}

void CMapEditDlg::FillChannelCombo() {
    // Position in the list is the rule's channel, 0 meaning any; in the
    // light's list, its channel, 0 meaning the rule's own.
    m_comboChannel.AddString("全てのチャンネル");
    ::SendDlgItemMessageA(GetSafeHwnd(), IDC_MAPEDIT_LIGHT_CHANNEL, CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>("入力と同じ"));
    for (int channel = 1; channel <= kChannelCount; ++channel) {
        const std::string text = Format("Ch.%d", channel);
        m_comboChannel.AddString(text);
        ::SendDlgItemMessageA(GetSafeHwnd(), IDC_MAPEDIT_LIGHT_CHANNEL, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(text.c_str()));
    }
}

void CMapEditDlg::FillKnobAndMouseCombos() {
    // Positions are the CCMode and MouseAction numbers.
    for (int mode = 0; mode < kCCModeCount; ++mode) {
        ::SendDlgItemMessageA(GetSafeHwnd(), IDC_MAPEDIT_CC_MODE, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(GetCCModeName(mode).c_str()));
    }
    for (int action = 0; action < kMouseActionCount; ++action) {
        ::SendDlgItemMessageA(GetSafeHwnd(), IDC_MAPEDIT_MOUSE_ACTION, CB_ADDSTRING, 0,
                              reinterpret_cast<LPARAM>(GetMouseActionName(action).c_str()));
    }
    for (const ChoosableKey& key : ChoosableKeys()) {
        m_comboKeyList.AddString(key.text);
    }
}

void CMapEditDlg::FillLayerCombos() {
    m_layerChoices = RuleLayerChoices(m_layerNames, static_cast<std::uint8_t>(m_rule.Layer));
    m_targetChoices = SwitchTargetChoices(m_layerNames, m_rule.LayerTarget);
    for (const auto& [id, choices] :
         {std::pair<int, const LayerChoices*>{IDC_MAPEDIT_LAYER, &m_layerChoices},
          {IDC_MAPEDIT_LAYER_TARGET, &m_targetChoices}}) {
        for (const SLayerChoice& choice : *choices) {
            ::SendDlgItemMessageA(GetSafeHwnd(), id, CB_ADDSTRING, 0,
                                  reinterpret_cast<LPARAM>(choice.text.c_str()));
        }
    }
    m_values.KeepLayerActionPossible();
    OfferLayerActions();
}

void CMapEditDlg::WriteControls() {
    UpdateData(false);
    ShowKeyInList();
    ShowSequence(SelectedSequenceItem());
    UpdateControlStates();
}

void CMapEditDlg::ShowSequence(int selected) {
    HWND list = GetDlgItem(IDC_MAPEDIT_SEQUENCE_LIST);
    if (list == nullptr) {
        return;
    }
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const KeySequenceItem& item : m_values.m_sequence) {
        ::SendMessageA(list, LB_ADDSTRING, 0,
                       reinterpret_cast<LPARAM>(GetKeySequenceItemText(item).c_str()));
    }
    ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

int CMapEditDlg::SelectedSequenceItem() const {
    HWND list = ::GetDlgItem(GetSafeHwnd(), IDC_MAPEDIT_SEQUENCE_LIST);
    return list == nullptr ? -1 : static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
}

template <typename Change> void CMapEditDlg::ChangeSequence(Change change) {
    ReadControls();
    const int selected = change(m_values, SelectedSequenceItem());
    if (selected < 0) {
        return; // full, or nothing to remove or move
    }
    UpdateData(false);
    ShowSequence(selected);
    UpdateControlStates();
}

void CMapEditDlg::ShowKeyInList() {
    ::SendMessageA(m_comboKeyList.GetSafeHwnd(), CB_SETCURSEL,
                   static_cast<WPARAM>(ChoosableKeyIndex(m_values.m_nKeyCode)), 0);
}

void CMapEditDlg::OnKeyChosen() {
    const int index =
        static_cast<int>(::SendMessageA(m_comboKeyList.GetSafeHwnd(), CB_GETCURSEL, 0, 0));
    if (index < 0 || index >= static_cast<int>(ChoosableKeys().size())) {
        return;
    }
    const int keyCode = ChoosableKeys()[static_cast<std::size_t>(index)].keyCode;
    Capture([keyCode](CMapEditValues& values) { values.ChooseKey(keyCode); });
}

void CMapEditDlg::ShowExeName() {
    SetDlgItemText(IDC_MAPEDIT_EXE_NAME, PathFindFileNamePart(m_values.m_strActExePath.c_str()));
}

bool CMapEditDlg::ReadControls() {
    if (m_bReading) {
        return true;
    }
    m_bReading = true;
    const bool read = UpdateData(true);
    m_bReading = false;
    return read;
}

void CMapEditDlg::UpdateControlStates() {
    ReadControls();
    OfferLayerActions();
    const MapEditControlStates states = MapEditControlStatesFor(
        m_values.m_nInputKind, m_values.m_nOutputKind, m_values.m_nMouseAction,
        m_values.m_nLayerAction, m_values.m_bFeedback != 0);
    EnableControls(kNoteControls, CountOf(kNoteControls), states.note);
    EnableControls(kControllerControls, CountOf(kControllerControls), states.controller);
    EnableControls(kControllerEdgeControls, CountOf(kControllerEdgeControls),
                   states.controllerEdge);
    EnableControls(kKnobControls, CountOf(kKnobControls), states.knob);
    EnableControls(kModifierControls, CountOf(kModifierControls), states.modifiers);
    EnableControls(kMouseControls, CountOf(kMouseControls), states.mouse);
    EnableControls(kProgramControls, CountOf(kProgramControls), states.program);
    EnableControls(kKeyControls, CountOf(kKeyControls), states.key);
    const int keyHold[] = {IDC_MAPEDIT_KEY_HOLD};
    EnableControls(keyHold, 1, states.keyHold);
    const int keyRepeat[] = {IDC_MAPEDIT_KEY_REPEAT};
    EnableControls(keyRepeat, 1, states.keyRepeat);
    EnableControls(kSequenceControls, CountOf(kSequenceControls), states.sequence);
    const int text[] = {IDC_MAPEDIT_TEXT};
    EnableControls(text, 1, states.text);
    EnableControls(kStrokeGapControls, CountOf(kStrokeGapControls), states.strokeGap);
    EnableControls(kApplicationControls, CountOf(kApplicationControls), states.application);
    const int layerAction[] = {IDC_MAPEDIT_LAYER_ACTION};
    EnableControls(layerAction, 1, states.layerAction);
    const int layerTarget[] = {IDC_MAPEDIT_LAYER_TARGET_LABEL, IDC_MAPEDIT_LAYER_TARGET};
    EnableControls(layerTarget, 2, states.layerTarget);
    const int light[] = {IDC_MAPEDIT_LIGHT};
    EnableControls(light, 1, states.light);
    EnableControls(kLightValueControls, CountOf(kLightValueControls), states.lightValues);
    const int forePath[] = {IDC_MAPEDIT_FORE_PATH};
    EnableControls(forePath, 1, m_values.m_bForeOnly != 0);
}

void CMapEditDlg::EnableControls(const int* ids, int count, bool enable) {
    for (int i = 0; i < count; ++i) {
        if (HWND control = GetDlgItem(ids[i])) {
            ::EnableWindow(control, enable ? TRUE : FALSE);
        }
    }
}

template <typename Change> void CMapEditDlg::Capture(Change change) {
    // A read under way may be showing its message box: input that comes
    // meanwhile is not captured, so that no field changes under the box.
    if (m_bReading) {
        return;
    }
    // A failed read has shown its message; the capture goes on and writing
    // the members back puts the last good number into the failing edit.
    ReadControls();
    change(m_values);
    WriteControls();
}

void CMapEditDlg::OnNoteOn(std::uint32_t portHandle, std::uint8_t, std::uint8_t note,
                           std::uint8_t) {
    CaptureDevice(portHandle);
    Capture([note](CMapEditValues& values) { values.CaptureNote(note); });
}

void CMapEditDlg::OnControlChange(std::uint32_t portHandle, std::uint8_t,
                                  std::uint8_t controller, std::uint8_t value) {
    if (m_bReading) {
        return;
    }
    CaptureDevice(portHandle);
    // The guess needs the encoding shown now; a failed read keeps the last.
    ReadControls();
    const CKnobCapture::Guess guess = m_knob.OnValue(controller, value, m_values.m_nCCMode);
    Capture([controller, guess](CMapEditValues& values) {
        const bool knobShown = values.m_nInputKind == CChangeTableItem::ControlChangeUp ||
                               values.m_nInputKind == CChangeTableItem::ControlChangeDown;
        if (guess.turned) {
            values.CaptureKnob(controller, guess.inputKind, guess.ccMode);
        } else if (!knobShown || values.m_nCCNumber != controller) {
            // A knob at its end stop stays the knob it was.
            values.CaptureController(controller);
        }
    });
}

void CMapEditDlg::OnProgramChange(std::uint32_t portHandle, std::uint8_t,
                                  std::uint8_t program) {
    CaptureDevice(portHandle);
    Capture([program](CMapEditValues& values) { values.CaptureProgram(program); });
}

void CMapEditDlg::OnPitchBend(std::uint32_t portHandle, std::uint8_t, std::int32_t value) {
    const CPitchBendWheel::Movement movement = m_pitchBend.OnValue(value);
    if (movement == CPitchBendWheel::LeftDownwards || movement == CPitchBendWheel::LeftUpwards) {
        CaptureDevice(portHandle);
        const int kind = CPitchBendWheel::InputKindOf(movement);
        Capture([kind](CMapEditValues& values) { values.CapturePitchBend(kind); });
    }
}

BOOL CMapEditDlg::PreTranslateMessage(MSG* msg) {
    const bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    switch (DecideKeyCapture(keyDown, keyDown ? FocusClassName() : std::string(),
                             static_cast<unsigned>(msg->wParam))) {
    case KeyCaptureAction::PassOn:
        return CDialog::PreTranslateMessage(msg);
    case KeyCaptureAction::Swallow:
        return TRUE;
    case KeyCaptureAction::Capture:
        CaptureKey(*msg);
        return TRUE;
    }
    return FALSE;
}

void CMapEditDlg::CaptureKey(const MSG& msg) {
    const int virtualKey = static_cast<int>(msg.wParam);
    Capture([virtualKey](CMapEditValues& values) {
        values.CaptureKey(virtualKey, IsKeyDown(VK_CONTROL), IsKeyDown(VK_SHIFT),
                          IsKeyDown(VK_MENU));
    });
}

void CMapEditDlg::OnOK() {
    if (!ReadControls()) {
        return;
    }
    if (m_values.IsForeApplicationMissing()) {
        RefuseMissingForeApplication();
        return;
    }
    m_values.WriteTo(m_rule);
    m_rule.InputDevice = m_device.Selected();
    CDialog::OnOK();
}

bool CMapEditDlg::OnCommand(UINT id, UINT notifyCode, HWND control) {
    if (notifyCode == BN_CLICKED &&
        (IsKindRadio(id) || id == IDC_MAPEDIT_FORE_ONLY || id == IDC_MAPEDIT_LIGHT)) {
        UpdateControlStates();
        return true;
    }
    if (notifyCode == BN_CLICKED && (id == IDC_MAPEDIT_KEY_HOLD || id == IDC_MAPEDIT_KEY_REPEAT)) {
        const bool checked =
            ::IsDlgButtonChecked(GetSafeHwnd(), static_cast<int>(id)) == BST_CHECKED;
        Capture([id, checked](CMapEditValues& values) {
            if (id == IDC_MAPEDIT_KEY_HOLD) {
                values.CheckKeyHold(checked);
            } else {
                values.CheckKeyRepeat(checked);
            }
        });
        return true;
    }
    if (notifyCode == BN_CLICKED && OnSequenceButton(id)) {
        return true;
    }
    if (notifyCode == CBN_SELCHANGE && id == IDC_MAPEDIT_LAYER_ACTION) {
        UpdateControlStates(); // next and previous name no layer
        return true;
    }
    if (notifyCode == CBN_SELCHANGE && id == IDC_MAPEDIT_MOUSE_ACTION) {
        UpdateControlStates(); // only buttons can be held
        return true;
    }
    if (notifyCode == CBN_SELCHANGE && id == IDC_MAPEDIT_KEY_LIST) {
        OnKeyChosen();
        return true;
    }
    if (notifyCode == BN_CLICKED && id == IDC_MAPEDIT_SELECT_APP) {
        OnSelectApplication();
        return true;
    }
    if (notifyCode == BN_CLICKED && id == IDC_MAPEDIT_FORE_BROWSE) {
        OnBrowseForeApplication();
        return true;
    }
    return CDialog::OnCommand(id, notifyCode, control);
}

bool CMapEditDlg::OnSequenceButton(UINT id) {
    switch (id) {
    case IDC_MAPEDIT_SEQUENCE_ADD_KEY:
        ChangeSequence([](CMapEditValues& v, int at) { return v.AddSequenceStroke(at); });
        return true;
    case IDC_MAPEDIT_SEQUENCE_ADD_WAIT:
        ChangeSequence([](CMapEditValues& v, int at) { return v.AddSequenceWait(at); });
        return true;
    case IDC_MAPEDIT_SEQUENCE_REMOVE:
        ChangeSequence([](CMapEditValues& v, int at) { return v.RemoveSequenceItem(at); });
        return true;
    case IDC_MAPEDIT_SEQUENCE_UP:
        ChangeSequence([](CMapEditValues& v, int at) { return v.MoveSequenceItem(at, -1); });
        return true;
    case IDC_MAPEDIT_SEQUENCE_DOWN:
        ChangeSequence([](CMapEditValues& v, int at) { return v.MoveSequenceItem(at, 1); });
        return true;
    default:
        return false;
    }
}

void CMapEditDlg::OnSelectApplication() {
    CAppSelectDlg picker(m_values.m_strActExePath);
    if (picker.DoModal() == IDOK) {
        m_values.m_strActExePath = picker.GetSelectedExePath();
        ShowExeName();
    }
}

void CMapEditDlg::OnBrowseForeApplication() {
    ReadControls();
    CAppSelectDlg picker(m_values.m_strForeExePath);
    if (picker.DoModal() == IDOK) {
        const std::string exePath = picker.GetSelectedExePath();
        Capture([&exePath](CMapEditValues& values) { values.ChooseForeApplication(exePath); });
    }
}

// As a number edit that holds no number: the message, then the edit to type
// into with its text selected.
void CMapEditDlg::RefuseMissingForeApplication() {
    ShowMessageBox("前面のアプリのパスかファイル名を入力してください。");
    if (HWND edit = GetDlgItem(IDC_MAPEDIT_FORE_PATH)) {
        ::SetFocus(edit);
        ::SendMessageA(edit, EM_SETSEL, 0, -1);
    }
}

bool CMapEditDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_DESTROY && m_bListening) {
        m_listenerManager.RemoveListener(this);
        m_bListening = false;
    }
    return CDialog::OnWndMsg(message, wParam, lParam, result);
}
