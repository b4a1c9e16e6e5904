#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The operations of the platform's MIDI output service that the program
// uses, for the lights of a controller. Results follow the service: 0 is
// success, anything else a failure; kNoDriver says the device is gone.
class IMidiOutPlatform {
public:
    // MMSYSERR_NODRIVER: the device of an open port was unplugged.
    static constexpr unsigned kNoDriver = 6;

    virtual ~IMidiOutPlatform() = default;

    virtual unsigned OutGetNumDevs() = 0;
    // The product name (at most 31 characters) of one output device, and
    // whether it is the system's software synthesizer or its mapper, which
    // no controller listens to.
    virtual unsigned OutGetDevCaps(unsigned deviceIndex, std::string& productName,
                                   bool& softwareSynth) = 0;
    virtual unsigned OutOpen(std::uintptr_t& handle, unsigned deviceIndex) = 0;
    // One packed short message (status in bits 0-7, data in 8-15 and 16-23).
    virtual unsigned OutShortMsg(std::uintptr_t handle, std::uint32_t message) = 0;
    // A SysEx, F0 to F7; returns once the service is done with the bytes.
    virtual unsigned OutLongMsg(std::uintptr_t handle, const std::vector<std::uint8_t>& bytes) = 0;
    virtual unsigned OutClose(std::uintptr_t handle) = 0;
};

// The output service of this build's platform (WinMM on Windows; on other
// builds one that lists no device).
IMidiOutPlatform& PlatformMidiOut();
