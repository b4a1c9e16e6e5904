#pragma once
#include <cstdint>
#include <string>

class CIniFile;
class CLayerNames;

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
        // A knob or an encoder turned up or down (CCMode says how its values
        // are read); a message may stand for several steps.
        ControlChangeUp = 5,
        ControlChangeDown = 6,
    };
    enum OutputKindValue : std::uint8_t {
        KeyInput = 0,
        ActivateApplication = 1,
        ToggleEnabled = 2,
        MouseInput = 3,
        // Changes the current layer (LayerAction, LayerTarget).
        SwitchLayer = 4,
        // Several strokes and waits one after the other (KeySequence).
        KeySequence = 5,
        // Text typed as characters (Text).
        TypeText = 6,
    };
    enum LayerActionValue : std::uint8_t {
        GoToLayer = 0,     // go to LayerTarget and stay there
        HoldLayer = 1,     // LayerTarget while the input is held
        NextLayer = 2,     // the next layer in use
        PreviousLayer = 3, // the previous one
    };
    // How a direction rule reads its controller's values.
    enum CCModeValue : std::uint8_t {
        CCModeAbsolute = 0,       // the change from the previous value
        CCModeTwosComplement = 1, // 1..63 up, 127..65 down
        CCModeBinaryOffset = 2,   // 65..127 up, 63..0 down
        CCModeSignBit = 3,        // 1..63 up, 65..127 down
    };
    enum MouseActionValue : std::uint8_t {
        WheelUp = 0,
        WheelDown = 1,
        WheelLeft = 2,
        WheelRight = 3,
        LeftButton = 4,
        RightButton = 5,
        MiddleButton = 6,
        BackButton = 7,
        ForwardButton = 8,
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

    // Names this rule, and no other, for as long as the program runs (it is
    // not saved). What the engine keeps of a rule between events, such as
    // the hold of its key, refers to it by this: it can never lead to a rule
    // that was deleted, nor to one that took a deleted rule's memory.
    using Id = std::uint64_t;
    Id GetId() const { return m_id; }

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
    // The same test for a stored ForeExePath value (non-empty).
    static bool ForeExePathMatches(const std::string& foreExePath, const std::string& exePath);

    std::string GetInputText() const;
    std::string GetOutputText() const;
    // The same with the layers called by the user's names.
    std::string GetInputText(const CLayerNames& names) const;
    std::string GetOutputText(const CLayerNames& names) const;
    // Whether the rule acts on one layer only or changes the layer.
    bool UsesLayers() const { return Layer != 0 || OutputKind == SwitchLayer; }

    // Inputs that end in a release of their own: the note-off, the pedal
    // let go, the bend wheel back at the centre. A program change has none.
    static bool HasRelease(int inputKind);
    // Inputs a controller can show a light for: a note and a controller
    // (a knob's too). A bend or a program change has no light of its own.
    static bool CanBeLit(int inputKind);
    // A key or mouse-button rule that keeps its key or button down while its
    // input is held, instead of striking it once.
    bool HoldsKey() const;
    // A key rule that strikes its key again and again, at the keyboard's own
    // repeat delay and rate, while its input is held.
    bool RepeatsKey() const;
    // Sequence and text rules: their strokes go out paced, one after another.
    bool IsPaced() const { return OutputKind == KeySequence || OutputKind == TypeText; }
    static bool IsMouseButton(int mouseAction);

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
    std::string ModifierText() const;

    // Beside the input and output bytes: the engine reads the id and those
    // bytes of every rule an event concerns, and with all of them in the
    // first 64 bytes that is one cache line per rule, not two. The strings,
    // read rarely, come last.
    Id m_id = NextId();

public:
    std::uint8_t PCNumber = 0;
    std::uint8_t PCRange = 0;
    // Activation rules only: start the executable when it shows no window.
    // Stored only when set, so tables without it keep their file as it was.
    std::uint8_t ActLaunch = 0;
    // Key rules only: hold the key while the note, pedal or bend is held
    // instead of striking it once. Stored only when set.
    std::uint8_t KeyHold = 0;
    // Direction rules only: how the controller's values are read. Stored
    // only when not absolute (0).
    std::uint8_t CCMode = CCModeAbsolute;
    // Mouse rules only: which wheel or button. Stored only when not 0.
    std::uint8_t MouseAction = WheelUp;
    // The device slot whose input the rule takes (1..8), or every device
    // (0). Stored only when not 0. A hand-edited number beyond the slots is
    // kept as read (up to kNoDevice, which stands for any number outside a
    // byte): such a rule is shown and saved, but takes no input.
    static constexpr std::uint8_t kAnyDevice = 0;
    static constexpr std::uint8_t kNoDevice = 0xFF;
    std::uint8_t InputDevice = kAnyDevice;

    // Key rules only: repeat the stroke while the input is held. Never
    // together with KeyHold; stored only when set.
    std::uint8_t KeyRepeat = 0;
    // Sequence and text rules: milliseconds between two strokes or
    // characters. Stored only when not the default.
    static constexpr int kDefaultStrokeGap = 10;
    static constexpr int kMinStrokeGap = 1;
    static constexpr int kMaxStrokeGap = 1000;
    std::uint16_t StrokeGap = kDefaultStrokeGap;

    // Lights on the controller: a rule with Feedback=1 lights its input on
    // the output paired with its input's device, with FeedbackOn while it is
    // "on" and FeedbackOff otherwise, on FeedbackCh (1..16) or else the
    // rule's channel. Each stored only when not its default; a hand-edited
    // value out of range loads as the default.
    static constexpr std::uint8_t kDefaultFeedbackOn = 127;
    static constexpr std::uint8_t kDefaultFeedbackOff = 0;
    std::uint8_t Feedback = 0;
    std::uint8_t FeedbackOn = kDefaultFeedbackOn;
    std::uint8_t FeedbackOff = kDefaultFeedbackOff;
    std::uint8_t FeedbackCh = 0;
    bool IsLit() const { return Feedback != 0; }

    // The stored form of a sequence ("1:67 4:9 w200 1:86"); kept as read,
    // in one-blank form and cut at 64 items.
    const std::string& GetKeySequence() const { return KeySequenceText; }
    void SetKeySequence(const std::string& text);
    // The text a typing rule types ("\r\n" line breaks, at most 1,000
    // characters).
    const std::string& GetText() const { return TypedText; }
    void SetText(const std::string& text);
    // The layer the rule acts on: 0 every layer, 1..16 only that one. A
    // hand-edited number beyond never acts and is saved back as read (up to
    // kNoLayer, which stands for any number outside a byte). Stored only
    // when not 0.
    static constexpr std::uint8_t kEveryLayer = 0;
    static constexpr std::uint8_t kNoLayer = 0xFF;
    std::uint8_t Layer = kEveryLayer;
    // Layer switches only: what they do and to which layer. Always stored
    // for a switch, never for another rule.
    std::uint8_t LayerAction = GoToLayer;
    std::uint8_t LayerTarget = 1;

private:
    void ExchangeFeedback(bool save, CIniFile& ini, const char* section);

    std::string ActExePath;
    std::string ForeExePath;
    std::string KeySequenceText;
    std::string TypedText;

    static Id NextId();
};

// Short names shown in the rule texts and the editor's lists; empty for
// numbers this program does not know.
std::string GetCCModeName(int ccMode);
std::string GetMouseActionName(int mouseAction);
std::string GetLayerActionName(int layerAction);
