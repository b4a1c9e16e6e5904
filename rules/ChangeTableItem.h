#pragma once
#include <cstdint>
#include <string>

class CIniFile;

// One conversion rule: which incoming MIDI event, on which channel, becomes
// which PC action. Also used as a short-lived probe built from one event.
class CChangeTableItem {
public:
    enum InputKindValue : std::uint8_t {
        Note = 0,
        ControlChange = 1,
        PitchBendMinus = 2,
        PitchBendPlus = 3,
        ProgramChange = 4,
    };
    enum OutputKindValue : std::uint8_t {
        KeyInput = 0,
        ActivateApplication = 1,
        ToggleEnabled = 2,
    };
    enum KeyFlagBits : std::uint8_t {
        KeyFlagCtrl = 0x01,
        KeyFlagShift = 0x02,
        KeyFlagAlt = 0x04,
    };
    enum CCFlagBits : std::uint8_t {
        CCFlagRisingEdge = 0x01,
    };

    CChangeTableItem() = default;
    virtual ~CChangeTableItem() = default;

    CChangeTableItem(const CChangeTableItem&) = delete;
    CChangeTableItem& operator=(const CChangeTableItem&) = delete;

    std::string GetActExePath() const { return ActExePath; }
    void SetActExePath(const std::string& path) { ActExePath = path; }

    // The application a rule is limited to: acts only while that program's
    // window is in front. Empty: every application.
    const std::string& GetForeExePath() const { return ForeExePath; }
    void SetForeExePath(const std::string& path) { ForeExePath = path; }
    bool IsForOneApplication() const { return !ForeExePath.empty(); }
    // Whether the executable at exePath is the rule's application. A value
    // with a backslash is a full path; one without names the file in any
    // folder, so a rule survives an update that moves the program.
    bool IsForApplication(const std::string& exePath) const;

    std::string GetInputText() const;
    std::string GetOutputText() const;

    // Inputs that end in a release of their own: the note-off, the pedal
    // let go, the bend wheel back at the centre. A program change has none.
    static bool HasRelease(int inputKind);
    // A key rule that keeps its key down while its input is held, instead of
    // striking it once.
    bool HoldsKey() const;

    // Writes the rule to (save) or reads it from (load) one section.
    void Exchange(bool save, CIniFile& ini, const char* section);

    std::uint8_t InputCh = 0;
    std::uint8_t InputKind = Note;
    std::uint8_t OutputKind = KeyInput;
    std::uint8_t NoteNumber = 40;
    std::uint8_t NoteNumberEnd = 40;
    std::uint8_t CCNumber = 0;
    std::uint8_t CCFlag = 0;
    std::uint8_t KeyCode = 0;
    std::uint8_t KeyFlag = 0;

private:
    std::string ActExePath;

public:
    std::uint8_t PCNumber = 0;
    std::uint8_t PCRange = 0;
    // Activation rules only: start the executable when it shows no window.
    // Stored only when set, so tables without it keep their file as it was.
    std::uint8_t ActLaunch = 0;
    // Key rules only: hold the key while the note, pedal or bend is held
    // instead of striking it once. Stored only when set.
    std::uint8_t KeyHold = 0;

private:
    std::string ForeExePath;
};
