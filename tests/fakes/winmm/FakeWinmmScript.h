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
//   Plug=0          ; raised: the same device unplugged and plugged in again
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
// A device is its name and its Plug count. When an open port's device moves
// to another index (an unplug before it), the next call that reads the
// script follows it there and logs "renumbered handle=... index=...": the
// handle keeps working. When it leaves the script, the next such call finds
// the port dead and logs "deviceRemoved handle=... told=0|1": it delivers
// nothing and answers every call but midiInClose with MMSYSERR_NODRIVER
// until the program closes it, and its window is told nothing (told=0)
// unless CloseNoticeOnRemoval=1 (told=1: MM_MIM_CLOSE posted).
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
