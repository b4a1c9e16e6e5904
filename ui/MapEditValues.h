#pragma once
#include "ChangeTableItem.h"
#include "KeySequence.h"

#include <string>
#include <vector>

// What the rule editor's controls show, one signed value per control as the
// dialog exchange reads and writes it. Filled from a rule when the editor is
// made and written back into the rule on OK; the live captures change it.
class CMapEditValues {
public:
    CMapEditValues() = default;
    explicit CMapEditValues(const CChangeTableItem& rule);

    // Every field of the rule, each value as its low 8 bits; the note range
    // is stored smaller number first.
    void WriteTo(CChangeTableItem& rule) const;

    // A note played: the note event with both ends of the range on it.
    void CaptureNote(int note);
    // A controller moved; its edge flag is left as the user set it.
    void CaptureController(int controller);
    // A knob or encoder turned: the direction kind and the encoding read.
    void CaptureKnob(int controller, int inputKind, int ccMode);
    // A program chosen, shown in the counting of the range combo (0..127 or
    // 1..128) so that the rule means the program that was played.
    void CaptureProgram(int program);
    // A pitch-bend kind (PitchBendMinus or PitchBendPlus).
    void CapturePitchBend(int inputKind);
    // A key pressed on the PC keyboard with the modifiers then held. It
    // makes the rule a key stroke, unless the rule is a sequence: there the
    // key waits in the key controls to be added as an item.
    void CaptureKey(int virtualKey, bool ctrl, bool shift, bool alt);
    // A key chosen from the list: the key stroke output with that key; the
    // modifiers stay as they are.
    void ChooseKey(int keyCode);
    // An application chosen from the running ones: the rule acts only while
    // it is in front.
    void ChooseForeApplication(const std::string& exePath);
    // The box limiting the rule to one application is checked, but which
    // application is not said.
    bool IsForeApplicationMissing() const;

    // The sequence's items, each returning the index to select afterwards
    // (-1: nothing changed). New items go after `selected` (at the end when
    // nothing is selected), as long as the sequence has room.
    int AddSequenceStroke(int selected);
    int AddSequenceWait(int selected);
    int RemoveSequenceItem(int index);
    int MoveSequenceItem(int index, int by);
    // Hold and repeat exclude each other: checking one clears the other.
    void CheckKeyHold(bool hold);
    void CheckKeyRepeat(bool repeat);

    int m_nInputKind = 0;
    int m_bAlt = 0;
    int m_bCtrl = 0;
    int m_bShift = 0;
    int m_nKeyCode = 0;
    int m_nCCNumber = 0;
    int m_nNoteNumber = 0;
    int m_bCCFlag = 0;
    int m_nNoteNumberEnd = 0;
    int m_nOutputKind = 0;
    int m_nInputCh = 0;
    int m_nPCRange = 0;
    int m_nPCNumber = 0;
    std::string m_strActExePath;
    int m_bActLaunch = 0;
    int m_bKeyHold = 0;
    // -1 (nothing chosen, a value this program does not know): the rule
    // keeps what it had.
    int m_nCCMode = 0;
    int m_nMouseAction = 0;
    int m_bForeOnly = 0;
    std::string m_strForeExePath;
    int m_bKeyRepeat = 0;
    std::vector<KeySequenceItem> m_sequence;
    // The wait that the next "add wait" adds, in milliseconds.
    int m_nWaitMs = 100;
    std::string m_strText;
    int m_nStrokeGap = 10;
    // The layer the rule acts on (0 every layer) and, for a switch, what it
    // does and to which layer; kept as the rule had them when not shown.
    int m_nLayer = 0;
    int m_nLayerAction = 0;
    int m_nLayerTarget = 1;
    // A switch cannot hold a layer from an input that is never let go:
    // such an action becomes a plain switch to the layer.
    void KeepLayerActionPossible();
    // The light of the rule's input on the controller: whether it is lit,
    // its values when on and off (0..127, clamped on writing) and its
    // channel as the combo shows it (0 the rule's own, 1..16; another
    // index keeps what the rule had). Only an input that can be lit is
    // written as lit; a rule not lit keeps its values as they were, so a
    // rule without a light is written as before.
    int m_bFeedback = 0;
    int m_nFeedbackOn = CChangeTableItem::kDefaultFeedbackOn;
    int m_nFeedbackOff = CChangeTableItem::kDefaultFeedbackOff;
    int m_nFeedbackCh = 0;

private:
    void WriteFeedbackTo(CChangeTableItem& rule) const;
};

// The output kind radio buttons: key, activation, on/off, mouse, sequence,
// text, layer switch, in this order. A kind without a button shows none checked, and
// reading no checked button keeps the kind the rule had.
int OutputRadioOf(int outputKind);
int OutputKindOfRadio(int radio, int previousKind);
