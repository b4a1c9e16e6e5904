#pragma once
#include <string>

// The scripted devices, read from FakeWinmm.ini beside the library at every
// call, so that a test may change them while the program runs:
//
//   [Devices]
//   Count=2
//   [Device1]
//   Name=Keys
//   CapsResult=0    ; non-zero: midiInGetDevCapsA fails with it
//   OpenResult=0    ; non-zero: midiInOpen fails with it
//   StartResult=0   ; non-zero: midiInStart fails with it
//   CloseResult=0   ; non-zero: midiInClose fails with it
//   [Tray]
//   FailAdds=1      ; so many of the program's NIM_ADD calls fail
//
// When an open port's device leaves the script, or another name takes its
// index, the next call that reads the script posts MM_MIM_CLOSE for the port
// to its window and logs "deviceRemoved handle=...", as a driver tells of an
// unplugged device; the program still has to close the handle.
class FakeWinmmScript {
public:
    explicit FakeWinmmScript(const std::string& path) : m_path(path) {}

    unsigned DeviceCount() const;
    std::string Name(unsigned device) const;
    unsigned Result(unsigned device, const char* key) const;
    unsigned TrayAddFailures() const;

private:
    std::string m_path;
};
