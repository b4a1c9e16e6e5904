#pragma once
#include <cstdint>

class IMidiPlatform;

// The one MIDI-IN port the program listens to: opened by device index with
// its input delivered as messages to a window, started, and closed.
class CMidiInDevice {
public:
    CMidiInDevice();
    explicit CMidiInDevice(IMidiPlatform& platform);
    virtual ~CMidiInDevice();

    CMidiInDevice(const CMidiInDevice&) = delete;
    CMidiInDevice& operator=(const CMidiInDevice&) = delete;

    // Closes any open port, opens `deviceIndex` for delivery to `window`
    // (0 for none) and starts it. True when the port is open and started.
    bool Open(unsigned deviceIndex, std::uintptr_t window);
    // True when no port is open afterwards.
    bool Close();
    // True when input was started on the open port.
    bool Start();

    bool IsOpen() const { return m_hMidiIn != 0; }
    // The open port's handle, as the port's messages carry it; 0 when closed.
    std::uintptr_t Handle() const { return m_hMidiIn; }

private:
    IMidiPlatform& m_platform;
    std::uintptr_t m_hMidiIn = 0;
};
