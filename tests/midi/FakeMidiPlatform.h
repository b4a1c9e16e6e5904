#pragma once
#include "IMidiPlatform.h"

#include <map>
#include <string>
#include <vector>

// A scripted MIDI input service that records every call as text, e.g.
// "open 1 w=7 h=101 -> 0", "start 101 -> 0", "close 101 -> 0", "id 101 -> 0";
// the calls about system-exclusive buffers go to `bufferCalls`.
class FakeMidiPlatform : public IMidiPlatform {
public:
    std::vector<std::string> devices; // product names by index
    // By device index; 0 when absent. A driver may refuse to tell its
    // capabilities (e.g. MMSYSERR_NODRIVER) while others answer.
    std::map<unsigned, unsigned> capsResult;
    std::map<unsigned, unsigned> openResult;  // by device index; 0 when absent
    std::map<unsigned, unsigned> startResult; // by device index
    std::map<unsigned, unsigned> closeResult; // by device index
    // By device index: a reset that fails keeps the buffers queued.
    std::map<unsigned, unsigned> resetResult;
    std::vector<std::string> calls;
    // "prepare 101 -> 0 b=1", "add 101 1 -> 0", "reset 101 -> 0",
    // "unprepare 101 1 -> 0".
    std::vector<std::string> bufferCalls;

    unsigned InGetNumDevs() override;
    unsigned InGetDevCaps(unsigned deviceIndex, std::string& productName) override;
    unsigned InOpen(std::uintptr_t& handle, unsigned deviceIndex, std::uintptr_t receiver) override;
    unsigned InStart(std::uintptr_t handle) override;
    unsigned InReset(std::uintptr_t handle) override;
    unsigned InClose(std::uintptr_t handle) override;
    unsigned InGetId(std::uintptr_t handle, unsigned& deviceIndex) override;
    unsigned InPrepareBuffer(std::uintptr_t handle, std::uintptr_t& buffer) override;
    unsigned InAddBuffer(std::uintptr_t handle, std::uintptr_t buffer) override;
    unsigned InUnprepareBuffer(std::uintptr_t handle, std::uintptr_t buffer) override;

    // The device at `deviceIndex` is pulled as Windows MIDI Services does
    // it: it leaves the list, the devices after it move down one index,
    // and the open ports of those keep working under their handles
    // (microsoft/MIDI docs/kb/moving-from-winmm-to-wms.md: indices are not
    // stable). Its own open port is dead.
    void Unplug(unsigned deviceIndex);
    // Pulled and plugged in again between two looks at the list: the same
    // name at the same index, but its open port is dead.
    void Replug(unsigned deviceIndex);
    // A port's next queued buffer comes back full, as the service returns
    // it (MIM_LONGDATA); 0 when none is queued.
    std::uintptr_t ReturnBuffer(std::uintptr_t handle);
    std::size_t QueuedBuffers(std::uintptr_t handle) const;

    // Handles are 100 + the device index at the open (1000 more while a
    // renumbered port holds that one), so a log line names its device.
    static std::uintptr_t HandleOf(unsigned deviceIndex) { return 100 + deviceIndex; }
    // The handle of the live port at `deviceIndex` now; 0 when none.
    std::uintptr_t PortAt(unsigned deviceIndex) const;
    bool IsOpen(unsigned deviceIndex) const { return PortAt(deviceIndex) != 0; }
    // Ports held by the program, dead ones included.
    std::size_t OpenCount() const { return m_ports.size(); }

private:
    struct Port {
        unsigned index = 0;
        std::string name; // listed at the open
        bool started = false;
        bool dead = false;
        std::vector<std::uintptr_t> queued;
        std::vector<std::uintptr_t> prepared;
    };

    static unsigned Lookup(const std::map<unsigned, unsigned>& results, unsigned deviceIndex);
    unsigned Record(std::string call, unsigned result);
    unsigned RecordBuffer(std::string call, unsigned result);
    // A port whose index now lists another name lost its device.
    void MarkDeadPorts();
    Port* Find(std::uintptr_t handle);

    std::map<std::uintptr_t, Port> m_ports; // by handle
    std::uintptr_t m_nextBuffer = 1;
};
