#pragma once
#include <string>

// The scripted devices, read from FakeWinmm.ini beside the library at every
// call, so that a test may change them while the program runs:
//
//   [Devices]
//   Count=2
//   CloseNoticeOnRemoval=0 ; 1: tell an unplugged device's port MM_MIM_CLOSE
//   [Device1]
//   Name=Keys
//   CapsResult=0    ; non-zero: midiInGetDevCapsA fails with it
//   OpenResult=0    ; non-zero: midiInOpen fails with it
//   StartResult=0   ; non-zero: midiInStart fails with it
//   CloseResult=0   ; non-zero: midiInClose fails with it
//   Demo=0          ; 1: a started port plays the demo phrase (DemoPlayer.h)
//   [Tray]
//   FailAdds=1      ; so many of the program's NIM_ADD calls fail
//   [Outputs]
//   Count=1
//   [Output0]
//   Name=Pads
//   Synth=0         ; 1: the system's software synthesizer (MOD_SWSYNTH)
//   OpenResult=0    ; non-zero: midiOutOpen fails with it
//   LoopToInput=0   ; short messages sent come back on this input device
//
// An open output whose device leaves the script answers every send with
// MMSYSERR_NODRIVER until it is closed (FakeWinmmOut.cpp).
//
// When an open port's device leaves the script, or another name takes its
// index, the next call that reads the script finds the port dead and logs
// "deviceRemoved handle=... told=0|1": it delivers nothing and refuses
// midiInStart until the program closes it, and its window is told nothing
// (told=0) unless CloseNoticeOnRemoval=1 (told=1: MM_MIM_CLOSE posted).
// FakeWinmm.cpp names the sources of this behaviour.
class FakeWinmmScript {
public:
    explicit FakeWinmmScript(const std::string& path) : m_path(path) {}

    unsigned DeviceCount() const;
    bool CloseNoticeOnRemoval() const;
    std::string Name(unsigned device) const;
    unsigned Result(unsigned device, const char* key) const;
    unsigned TrayAddFailures() const;

    unsigned OutputCount() const;
    std::string OutputName(unsigned device) const;
    unsigned OutputResult(unsigned device, const char* key) const;
    // The input device an output loops back into; -1 for none.
    int OutputLoop(unsigned device) const;

private:
    std::string m_path;
};
