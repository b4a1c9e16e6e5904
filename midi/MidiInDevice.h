#pragma once
#include <cstdint>
#include <optional>
#include <vector>

class IMidiPlatform;

// The one MIDI-IN port of a connection: opened by device index with its
// input delivered as messages to a window, given its system-exclusive
// buffers, started, and closed.
class CMidiInDevice {
public:
    CMidiInDevice();
    explicit CMidiInDevice(IMidiPlatform& platform);
    virtual ~CMidiInDevice();

    CMidiInDevice(const CMidiInDevice&) = delete;
    CMidiInDevice& operator=(const CMidiInDevice&) = delete;

    // Closes any open port, opens `deviceIndex` for delivery to `window`
    // (0 for none), queues its buffers and starts it. True when the port is
    // open and started.
    bool Open(unsigned deviceIndex, std::uintptr_t window);
    // True when no port is open afterwards.
    bool Close();
    // True when input was started on the open port.
    bool Start();

    // A buffer of the port `portHandle` came back (full, or handed back by
    // a reset). One of the open port's is queued again; any other is left
    // alone, unread: it may be freed already.
    void OnBufferReturned(std::uintptr_t portHandle, std::uintptr_t buffer);
    // The index the open port is listed at now; none when it does not say.
    std::optional<unsigned> ListedIndex();

    bool IsOpen() const { return m_hMidiIn != 0; }
    // A call on the open port was answered "no driver": its device is gone.
    bool IsGone() const { return m_gone; }
    // Whether the last close that succeeded makes the port tell its window
    // (MIM_CLOSE): a port whose driver is gone does not.
    bool CloseNoticeFollows() const { return m_lastCloseResult == 0; }
    // The open port's handle, as the port's messages carry it; 0 when closed.
    std::uintptr_t Handle() const { return m_hMidiIn; }

private:
    void AddBuffers();
    // Hands the buffers back and unprepares them; a buffer the port will
    // not give up is left to it.
    void TakeBuffersBack();
    unsigned Checked(unsigned result);

    IMidiPlatform& m_platform;
    std::uintptr_t m_hMidiIn = 0;
    std::vector<std::uintptr_t> m_buffers; // of the open port
    bool m_gone = false;
    unsigned m_lastCloseResult = 0;
};
