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
class FakeWinmmScript {
public:
    explicit FakeWinmmScript(const std::string& path) : m_path(path) {}

    unsigned DeviceCount() const;
    std::string Name(unsigned device) const;
    unsigned Result(unsigned device, const char* key) const;

private:
    std::string m_path;
};
