#pragma once
#include <cstdint>
#include <vector>

class IMidiOutPlatform;

// One open MIDI-OUT port. Opened on the window's thread; its messages go
// out from the sender's worker (engine/MidiOutSender), one thread at a time.
class CMidiOutPort {
public:
    explicit CMidiOutPort(IMidiOutPlatform& platform) : m_platform(platform) {}
    ~CMidiOutPort() { Close(); }

    CMidiOutPort(const CMidiOutPort&) = delete;
    CMidiOutPort& operator=(const CMidiOutPort&) = delete;

    // Closes any open port first. The service's result: 0 when open.
    unsigned Open(unsigned deviceIndex);
    unsigned SendShort(std::uint32_t message);
    unsigned SendLong(const std::vector<std::uint8_t>& bytes);
    // A port whose device is gone answers kNoDriver; its handle is dropped
    // all the same, as there is nothing left to close.
    void Close();
    bool IsOpen() const { return m_handle != 0; }

private:
    IMidiOutPlatform& m_platform;
    std::uintptr_t m_handle = 0;
};
