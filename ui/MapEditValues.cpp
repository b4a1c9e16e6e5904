#include "MapEditValues.h"

#include "ChangeTableItem.h"

#include <algorithm>
#include <cstdint>

namespace {
std::uint8_t LowByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}
// A light's value is a velocity or a controller's value: one MIDI data byte.
constexpr int kMaxFeedbackValue = 127;
constexpr int kMaxFeedbackChannel = 16;
} // namespace

CMapEditValues::CMapEditValues(const CChangeTableItem& rule)
    : m_nInputKind(rule.InputKind),
      m_bAlt((rule.KeyFlag & CChangeTableItem::KeyFlagAlt) != 0 ? 1 : 0),
      m_bCtrl((rule.KeyFlag & CChangeTableItem::KeyFlagCtrl) != 0 ? 1 : 0),
      m_bShift((rule.KeyFlag & CChangeTableItem::KeyFlagShift) != 0 ? 1 : 0),
      m_nKeyCode(rule.KeyCode), m_nCCNumber(rule.CCNumber), m_nNoteNumber(rule.NoteNumber),
      m_bCCFlag((rule.CCFlag & CChangeTableItem::CCFlagRisingEdge) != 0 ? 1 : 0),
      m_nNoteNumberEnd(rule.NoteNumberEnd), m_nOutputKind(rule.OutputKind),
      m_nInputCh(rule.InputCh), m_nPCRange(rule.PCRange), m_nPCNumber(rule.PCNumber),
      m_strActExePath(rule.GetActExePath()), m_bActLaunch(rule.ActLaunch != 0 ? 1 : 0),
      m_bKeyHold(rule.KeyHold != 0 ? 1 : 0), m_nCCMode(rule.CCMode),
      m_nMouseAction(rule.MouseAction),
      m_bForeOnly(rule.IsForOneApplication() ? 1 : 0),
      m_strForeExePath(rule.GetForeExePath()), m_bKeyRepeat(rule.KeyRepeat != 0 ? 1 : 0),
      m_sequence(ParseKeySequence(rule.GetKeySequence())), m_strText(rule.GetText()),
      m_nStrokeGap(rule.StrokeGap), m_nLayer(rule.Layer), m_nLayerAction(rule.LayerAction),
      m_nLayerTarget(rule.LayerTarget), m_bFeedback(rule.IsLit() ? 1 : 0),
      m_nFeedbackOn(rule.FeedbackOn), m_nFeedbackOff(rule.FeedbackOff),
      m_nFeedbackCh(rule.FeedbackCh) {}

void CMapEditValues::WriteTo(CChangeTableItem& rule) const {
    rule.InputCh = LowByte(m_nInputCh);
    rule.InputKind = LowByte(m_nInputKind);
    rule.OutputKind = LowByte(m_nOutputKind);
    const bool inOrder = m_nNoteNumber <= m_nNoteNumberEnd;
    rule.NoteNumber = LowByte(inOrder ? m_nNoteNumber : m_nNoteNumberEnd);
    rule.NoteNumberEnd = LowByte(inOrder ? m_nNoteNumberEnd : m_nNoteNumber);
    rule.CCNumber = LowByte(m_nCCNumber);
    rule.PCNumber = LowByte(m_nPCNumber);
    rule.PCRange = LowByte(m_nPCRange);
    rule.KeyCode = LowByte(m_nKeyCode);
    rule.KeyFlag = static_cast<std::uint8_t>((m_bCtrl != 0 ? CChangeTableItem::KeyFlagCtrl : 0) |
                                             (m_bShift != 0 ? CChangeTableItem::KeyFlagShift : 0) |
                                             (m_bAlt != 0 ? CChangeTableItem::KeyFlagAlt : 0));
    rule.CCFlag = m_bCCFlag != 0 ? CChangeTableItem::CCFlagRisingEdge : 0;
    rule.SetActExePath(m_strActExePath);
    rule.ActLaunch = m_bActLaunch != 0 ? 1 : 0;
    rule.KeyHold = m_bKeyHold != 0 ? 1 : 0;
    if (m_nCCMode >= 0) {
        rule.CCMode = LowByte(m_nCCMode);
    }
    if (m_nMouseAction >= 0) {
        rule.MouseAction = LowByte(m_nMouseAction);
    }
    // Unchecked, the path typed stays in the edit but not in the rule.
    rule.SetForeExePath(m_bForeOnly != 0 ? m_strForeExePath : std::string());
    // Only a key stroke repeats; the box of another kind is greyed, and what
    // it says is not kept.
    rule.KeyRepeat =
        (m_bKeyRepeat != 0 && m_bKeyHold == 0 && m_nOutputKind == CChangeTableItem::KeyInput) ? 1
                                                                                              : 0;
    rule.SetKeySequence(WriteKeySequence(m_sequence));
    rule.SetText(m_strText);
    rule.StrokeGap = static_cast<std::uint16_t>(
        std::clamp(m_nStrokeGap, static_cast<int>(CChangeTableItem::kMinStrokeGap),
                   static_cast<int>(CChangeTableItem::kMaxStrokeGap)));
    rule.Layer = LowByte(m_nLayer);
    rule.LayerAction = LowByte(m_nLayerAction);
    rule.LayerTarget = LowByte(m_nLayerTarget);
    WriteFeedbackTo(rule);
}

void CMapEditValues::WriteFeedbackTo(CChangeTableItem& rule) const {
    rule.Feedback = m_bFeedback != 0 && CChangeTableItem::CanBeLit(m_nInputKind) ? 1 : 0;
    if (rule.Feedback == 0) {
        return;
    }
    const auto dataByte = [](int value) {
        return static_cast<std::uint8_t>(std::clamp(value, 0, kMaxFeedbackValue));
    };
    rule.FeedbackOn = dataByte(m_nFeedbackOn);
    rule.FeedbackOff = dataByte(m_nFeedbackOff);
    if (m_nFeedbackCh >= 0 && m_nFeedbackCh <= kMaxFeedbackChannel) {
        rule.FeedbackCh = static_cast<std::uint8_t>(m_nFeedbackCh);
    }
}

void CMapEditValues::KeepLayerActionPossible() {
    if (m_nLayerAction == CChangeTableItem::HoldLayer &&
        !CChangeTableItem::HasRelease(m_nInputKind)) {
        m_nLayerAction = CChangeTableItem::GoToLayer;
    }
}

int CMapEditValues::AddSequenceStroke(int selected) {
    if (static_cast<int>(m_sequence.size()) >= kMaxKeySequenceItems || m_nKeyCode <= 0 ||
        m_nKeyCode > 0xFF) {
        return -1;
    }
    const int flag = (m_bCtrl != 0 ? CChangeTableItem::KeyFlagCtrl : 0) |
                     (m_bShift != 0 ? CChangeTableItem::KeyFlagShift : 0) |
                     (m_bAlt != 0 ? CChangeTableItem::KeyFlagAlt : 0);
    const int at = selected >= 0 && selected < static_cast<int>(m_sequence.size())
                       ? selected + 1
                       : static_cast<int>(m_sequence.size());
    m_sequence.insert(m_sequence.begin() + at, SequenceStroke(static_cast<std::uint8_t>(flag),
                                                              static_cast<std::uint8_t>(m_nKeyCode)));
    return at;
}

int CMapEditValues::AddSequenceWait(int selected) {
    if (static_cast<int>(m_sequence.size()) >= kMaxKeySequenceItems) {
        return -1;
    }
    const int at = selected >= 0 && selected < static_cast<int>(m_sequence.size())
                       ? selected + 1
                       : static_cast<int>(m_sequence.size());
    m_sequence.insert(m_sequence.begin() + at, SequenceWait(m_nWaitMs));
    return at;
}

int CMapEditValues::RemoveSequenceItem(int index) {
    const int count = static_cast<int>(m_sequence.size());
    if (index < 0 || index >= count) {
        return -1;
    }
    m_sequence.erase(m_sequence.begin() + index);
    return index < count - 1 ? index : count - 2;
}

int CMapEditValues::MoveSequenceItem(int index, int by) {
    const int to = index + by;
    if (index < 0 || index >= static_cast<int>(m_sequence.size()) || to < 0 ||
        to >= static_cast<int>(m_sequence.size())) {
        return -1;
    }
    std::swap(m_sequence[static_cast<std::size_t>(index)], m_sequence[static_cast<std::size_t>(to)]);
    return to;
}

void CMapEditValues::CheckKeyHold(bool hold) {
    m_bKeyHold = hold ? 1 : 0;
    if (hold) {
        m_bKeyRepeat = 0;
    }
}

void CMapEditValues::CheckKeyRepeat(bool repeat) {
    m_bKeyRepeat = repeat ? 1 : 0;
    if (repeat) {
        m_bKeyHold = 0;
    }
}

namespace {
const int kOutputKindOfRadio[] = {CChangeTableItem::KeyInput, CChangeTableItem::ActivateApplication,
                                  CChangeTableItem::ToggleEnabled, CChangeTableItem::MouseInput,
                                  CChangeTableItem::KeySequence, CChangeTableItem::TypeText,
                                  CChangeTableItem::SwitchLayer};
constexpr int kOutputRadioCount = sizeof kOutputKindOfRadio / sizeof kOutputKindOfRadio[0];
} // namespace

int OutputRadioOf(int outputKind) {
    for (int radio = 0; radio < kOutputRadioCount; ++radio) {
        if (kOutputKindOfRadio[radio] == outputKind) {
            return radio;
        }
    }
    return -1;
}

int OutputKindOfRadio(int radio, int previousKind) {
    return radio >= 0 && radio < kOutputRadioCount ? kOutputKindOfRadio[radio] : previousKind;
}

void CMapEditValues::ChooseForeApplication(const std::string& exePath) {
    m_bForeOnly = 1;
    m_strForeExePath = exePath;
}

bool CMapEditValues::IsForeApplicationMissing() const {
    return m_bForeOnly != 0 && m_strForeExePath.find_first_not_of(" \t") == std::string::npos;
}

void CMapEditValues::CaptureNote(int note) {
    m_nInputKind = CChangeTableItem::Note;
    m_nNoteNumber = note;
    m_nNoteNumberEnd = note;
}

void CMapEditValues::CaptureController(int controller) {
    m_nInputKind = CChangeTableItem::ControlChange;
    m_nCCNumber = controller;
}

void CMapEditValues::CaptureKnob(int controller, int inputKind, int ccMode) {
    m_nInputKind = inputKind;
    m_nCCNumber = controller;
    m_nCCMode = ccMode;
}

void CMapEditValues::CaptureProgram(int program) {
    m_nInputKind = CChangeTableItem::ProgramChange;
    m_nPCNumber = program + m_nPCRange;
}

void CMapEditValues::CapturePitchBend(int inputKind) {
    m_nInputKind = inputKind;
}

void CMapEditValues::CaptureKey(int virtualKey, bool ctrl, bool shift, bool alt) {
    m_nKeyCode = virtualKey;
    if (m_nOutputKind != CChangeTableItem::KeySequence) {
        m_nOutputKind = CChangeTableItem::KeyInput;
    }
    m_bCtrl = ctrl ? 1 : 0;
    m_bShift = shift ? 1 : 0;
    m_bAlt = alt ? 1 : 0;
}

void CMapEditValues::ChooseKey(int keyCode) {
    m_nKeyCode = keyCode;
    if (m_nOutputKind != CChangeTableItem::KeySequence) {
        m_nOutputKind = CChangeTableItem::KeyInput;
    }
}
