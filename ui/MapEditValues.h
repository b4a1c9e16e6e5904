#pragma once
#include <string>

class CChangeTableItem;

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
    // A key pressed on the PC keyboard with the modifiers then held.
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
};
