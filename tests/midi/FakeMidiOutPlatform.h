#pragma once
#include "IMidiOutPlatform.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// A scripted MIDI output service. The sender calls it from its worker, so
// it locks, and a test waits for what it expects to arrive. It records:
// "open 0 h=200 -> 0", "short h=200 7F2490 -> 0", "long h=200 F0 7E F7 -> 0",
// "close h=200 -> 0".
//
// Like WinMM, a port whose device was unplugged (Unplug) answers every send
// with MMSYSERR_NODRIVER until it is closed (microsoft/MIDI, WinMM client:
// an invalidated port refuses everything but its close), and a device
// refuses a second open while a port of it is open (MMSYSERR_ALLOCATED).
class FakeMidiOutPlatform : public IMidiOutPlatform {
public:
    struct SDevice {
        std::string name;
        bool softwareSynth = false;
        unsigned openResult = 0;
    };

    void SetDevices(std::vector<SDevice> devices);
    // The device's open port goes dead.
    void Unplug(unsigned deviceIndex);
    // While held, a short message waits in the call, as on a busy USB bus.
    void HoldSends(bool hold);

    unsigned OutGetNumDevs() override;
    unsigned OutGetDevCaps(unsigned deviceIndex, std::string& productName,
                           bool& softwareSynth) override;
    unsigned OutOpen(std::uintptr_t& handle, unsigned deviceIndex) override;
    unsigned OutShortMsg(std::uintptr_t handle, std::uint32_t message) override;
    unsigned OutLongMsg(std::uintptr_t handle, const std::vector<std::uint8_t>& bytes) override;
    unsigned OutClose(std::uintptr_t handle) override;

    std::vector<std::string> Calls() const;
    // The short messages sent so far, with when they went out.
    struct SSent {
        std::uintptr_t handle;
        std::uint32_t message;
        std::chrono::steady_clock::time_point at;
    };
    std::vector<SSent> Sent() const;
    // Waits until `count` calls were made (at most 2 s); true when they were.
    bool WaitForCalls(std::size_t count) const;
    // Waits until a call equal to `call` was made.
    bool WaitFor(const std::string& call) const;

    static std::uintptr_t HandleOf(unsigned deviceIndex) { return 200 + deviceIndex; }

private:
    unsigned Record(std::string call, unsigned result);

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    std::vector<SDevice> m_devices;
    std::map<std::uintptr_t, bool> m_open; // handle -> dead
    std::vector<std::string> m_calls;
    std::vector<SSent> m_sent;
    bool m_hold = false;
};
