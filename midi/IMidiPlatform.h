#pragma once
#include <cstdint>
#include <string>

// The operations of the platform's MIDI input service that the program uses.
// Results follow the service: 0 is success, anything else a failure.
class IMidiPlatform {
public:
    virtual ~IMidiPlatform() = default;

    virtual unsigned InGetNumDevs() = 0;
    // Reads the product name (at most 31 characters) of one input device.
    virtual unsigned InGetDevCaps(unsigned deviceIndex, std::string& productName) = 0;
    // Opens a port whose input the service delivers to `receiver`, the
    // platform's handle of the window that takes it (0 for none).
    virtual unsigned InOpen(std::uintptr_t& handle, unsigned deviceIndex,
                            std::uintptr_t receiver) = 0;
    virtual unsigned InStart(std::uintptr_t handle) = 0;
    // Hands every queued buffer of the port back.
    virtual unsigned InReset(std::uintptr_t handle) = 0;
    virtual unsigned InClose(std::uintptr_t handle) = 0;
    // The index the open port is listed at now.
    virtual unsigned InGetId(std::uintptr_t handle, unsigned& deviceIndex) = 0;

    // A buffer for the port's system-exclusive input, kept by the platform
    // and known by the value the port's returns carry (`buffer`). Made and
    // prepared for the port; on a failure there is none.
    virtual unsigned InPrepareBuffer(std::uintptr_t handle, std::uintptr_t& buffer) = 0;
    // Queues the buffer on the port, which returns it when full.
    virtual unsigned InAddBuffer(std::uintptr_t handle, std::uintptr_t buffer) = 0;
    // Unprepares and frees the buffer. A refusal leaves it to the port: the
    // driver may still write into it.
    virtual unsigned InUnprepareBuffer(std::uintptr_t handle, std::uintptr_t buffer) = 0;
};

// The service of this build's platform (WinMM on Windows; on other builds
// one that lists no device).
IMidiPlatform& PlatformMidi();
