#pragma once
// The test side of the fake multimedia library: writes its script and reads
// its call log, both in the directory that holds the library.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct FakeMidiDevice {
    std::string name;
    unsigned capsResult = 0;  // non-zero: reading the name fails with it
    unsigned openResult = 0;  // non-zero: opening fails with it
    unsigned startResult = 0; // non-zero: starting fails with it
    unsigned closeResult = 0; // non-zero: closing fails with it
    // Raised for the same device unplugged and plugged in again: its old
    // port is dead even when name and index stayed.
    unsigned plug = 0;
};

struct FakeMidiOutDevice {
    std::string name;
    bool softwareSynth = false;
    unsigned openResult = 0; // non-zero: opening fails with it
    int loopToInput = -1;    // the input device its short messages come back on
};

// One logged call: the function ("midiInOpen", ...) and its fields
// ("pid", "device", "callback", "flags", "handle", "result", "name", ...).
struct FakeWinmmCall {
    std::string function;
    std::map<std::string, std::string> fields;

    bool Has(const std::string& key) const { return fields.count(key) != 0; }
    std::string Get(const std::string& key) const;
    // A field read as a number (decimal or 0x-hexadecimal); 0 when absent.
    unsigned long long Number(const std::string& key) const;
    // A text field with its %XX escapes turned back into bytes.
    std::string Text(const std::string& key) const;
    // A field read as milliseconds with a fraction ("t": when the line was
    // written, on the clock of the performance counter; "ms": how long the
    // call took).
    double Milliseconds(const std::string& key) const;
};

class FakeWinmmControl {
public:
    // `directory` is where the fake library lies, ending in a backslash or not.
    explicit FakeWinmmControl(std::string directory);

    // Replaces the script: these devices, in index order. With
    // `closeNoticeOnRemoval` an unplugged device's port tells its window of
    // its close, as few drivers do; by default it just goes dead.
    bool SetDevices(const std::vector<FakeMidiDevice>& devices,
                    bool closeNoticeOnRemoval = false) const;
    // The program's first `count` NIM_ADD calls fail, as without a shell.
    // Set before the program starts, after SetDevices (which rewrites the
    // script).
    bool FailTrayAdds(unsigned count) const;
    // Delivers a short message, or a system-exclusive one, from the device
    // listed at `device` in the script, as its driver would: the live
    // port of that device only (see FakeDelivery.h). `programWindow`: the
    // window that takes the program's MIDI input.
    bool DeliverShortMessage(void* programWindow, unsigned device, std::uint32_t message) const;
    bool DeliverSysEx(void* programWindow, unsigned device) const;
    // The MIDI-OUT devices, in index order. Set after SetDevices, which
    // rewrites the script; called again it replaces them (an unplug).
    bool SetOutputs(const std::vector<FakeMidiOutDevice>& outputs) const;
    // Forgets the calls logged so far.
    bool ClearLog() const;
    // While held, the program's ShellExecuteExA waits, as during an
    // elevation prompt; letting go lets the waiting call go on.
    bool HoldShellExecute(bool hold) const;
    // Every message the program's loops take is logged from its next start.
    bool WatchMessages() const;
    // Every call logged so far, in order.
    std::vector<FakeWinmmCall> Calls() const;
    // The calls of one function.
    std::vector<FakeWinmmCall> Calls(const std::string& function) const;

    std::string ScriptPath() const { return m_directory + "FakeWinmm.ini"; }
    std::string LogPath() const { return m_directory + "FakeWinmm.log"; }

private:
    std::string m_directory;
};

// Parses one log line; false when it holds no function.
bool ParseFakeWinmmLine(const std::string& line, FakeWinmmCall& call);
