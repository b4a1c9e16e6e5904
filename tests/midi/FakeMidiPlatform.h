#pragma once
#include "IMidiPlatform.h"

#include <map>
#include <string>
#include <vector>

// A scripted MIDI input service that records every call as text, e.g.
// "open 1 w=7 h=101 -> 0", "start 101 -> 0", "close 101 -> 0".
class FakeMidiPlatform : public IMidiPlatform {
public:
    std::vector<std::string> devices; // product names by index
    // By device index; 0 when absent. A driver may refuse to tell its
    // capabilities (e.g. MMSYSERR_NODRIVER) while others answer.
    std::map<unsigned, unsigned> capsResult;
    std::map<unsigned, unsigned> openResult;  // by device index; 0 when absent
    std::map<unsigned, unsigned> startResult; // by device index
    std::map<unsigned, unsigned> closeResult; // by device index
    std::vector<std::string> calls;

    unsigned InGetNumDevs() override;
    unsigned InGetDevCaps(unsigned deviceIndex, std::string& productName) override;
    unsigned InOpen(std::uintptr_t& handle, unsigned deviceIndex, std::uintptr_t receiver) override;
    unsigned InStart(std::uintptr_t handle) override;
    unsigned InClose(std::uintptr_t handle) override;

    // Handles are 100 + device index, so a log line names its device.
    static std::uintptr_t HandleOf(unsigned deviceIndex) { return 100 + deviceIndex; }
    bool IsOpen(unsigned deviceIndex) const { return m_open.count(deviceIndex) != 0; }
    std::size_t OpenCount() const { return m_open.size(); }

private:
    static unsigned Lookup(const std::map<unsigned, unsigned>& results, unsigned deviceIndex);
    unsigned Record(std::string call, unsigned result);

    std::map<unsigned, bool> m_open; // device index -> started
};
