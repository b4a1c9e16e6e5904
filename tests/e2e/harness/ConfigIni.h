#pragma once
// Config.ini as the tests write it before a start and read it after.
#include "TestFiles.h"

#include <cstdint>
#include <string>
#include <vector>

// One rule, with the numbers as the file stores them (channel 1..16, 0 = any).
struct ConfigRule {
    enum InputKind : std::uint8_t {
        Note,
        ControlChange,
        PitchBendMinus,
        PitchBendPlus,
        ProgramChange,
        ControlChangeUp,
        ControlChangeDown,
    };
    enum OutputKind : std::uint8_t {
        KeyInput,
        ActivateApplication,
        ToggleEnabled,
        MouseInput,
        SwitchLayer,
        KeySequence = 5,
        TypeText = 6,
    };

    std::uint8_t inputCh = 0;
    std::uint8_t inputKind = Note;
    std::uint8_t outputKind = KeyInput;
    std::uint8_t noteNumber = 40;
    std::uint8_t noteNumberEnd = 40;
    std::uint8_t ccNumber = 0;
    std::uint8_t ccFlag = 0;
    std::uint8_t pcNumber = 0;
    std::uint8_t pcRange = 0;
    std::uint8_t keyCode = 0;
    std::uint8_t keyFlag = 0; // bit 0 Ctrl, bit 1 Shift, bit 2 Alt
    std::string actExePath;
    bool actLaunch = false;       // start the program when it shows no window
    bool keyHold = false;         // hold the key while the note or pedal is held
    std::uint8_t ccMode = 0;      // how a knob's values are read (0 absolute)
    std::uint8_t mouseAction = 0; // 0 wheel up, 1 down, 2 left, 3 right, 4.. buttons
    // Acts only while this program is in front.
    std::string foreExePath;
    std::uint8_t layer = 0; // 0 every layer
    // Layer switches: 0 go to, 1 while held, 2 next, 3 previous.
    std::uint8_t layerAction = 0;
    std::uint8_t layerTarget = 1;
    // Takes the input of this device slot only (0 = every device).
    std::uint8_t inputDevice = 0;
    bool keyRepeat = false;  // strike again and again while the note is held
    std::string keySequence; // "1:67 w200 1:86"
    std::string text;        // typed; "\r\n" is written as the file's line-break escape
    int strokeGap = 10;
    // Further keys of the section, as they stand ("Feedback=1\r\n"), for
    // what the tests do not model one by one; written last and not read back.
    std::string moreKeys;

    // A key stroke on the notes first..last of `channel` (0 = any).
    static ConfigRule KeyOnNotes(std::uint8_t first, std::uint8_t last, std::uint8_t keyCode,
                                 std::uint8_t keyFlag = 0, std::uint8_t channel = 0);
    // The converter's on/off switch on one note.
    static ConfigRule ToggleOnNote(std::uint8_t note, std::uint8_t channel = 0);
    // A key stroke on a controller (with `fromZero`: only when it leaves 0).
    static ConfigRule KeyOnController(std::uint8_t controller, std::uint8_t keyCode,
                                      bool fromZero = false, std::uint8_t channel = 0);
};

bool operator==(const ConfigRule& a, const ConfigRule& b);

struct Config {
    std::string midiInDevice;
    // The devices of the slots 2, 3, ...; empty ones are not written.
    std::vector<std::string> otherDevices;
    std::vector<ConfigRule> rules;
    // Further keys of [General], as they stand, written after the count.
    std::string moreGeneralKeys;
};

// The file's text, sections and keys in the order the program writes them.
std::string ConfigText(const Config& config);
bool WriteConfigIni(const std::string& path, const Config& config);
// Reads a file the way the program does (the platform's profile functions).
Config ReadConfigIni(const std::string& path);
