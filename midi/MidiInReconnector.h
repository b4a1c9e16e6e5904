#pragma once
#include "MidiInDeviceList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Keeps the configured MIDI-IN device open while devices are unplugged,
// plugged in again at another index, and the system sleeps. It only decides;
// the connection that owns the port carries the decisions out and reports back.
//
// The driver is not trusted to tell of a dead port: on Windows a pulled
// device's port mostly goes silent without MIM_CLOSE, and with Windows MIDI
// Services the replugged device comes back at the same index with the same
// name while the old handle stays dead. So notices of devices and of the
// wake from sleep are gathered until a short quiet time has passed (the
// device list lags behind the notice), and the check that follows closes an
// open port and opens the device afresh: at most one close and one open per
// burst. A check that leaves the device closed is tried once more a moment
// later (drivers often refuse an open for a moment after the device appears).
class CMidiInReconnector {
public:
    enum class Status {
        NoDevice,   // no device configured
        Open,       // its port is open
        Missing,    // no device of that name is present
        Unopenable, // present, but its port could not be opened
        Ambiguous,  // several renamed devices fit the name; none opened
    };
    // When the next check is to run.
    enum class When {
        Never, // nothing to do (also: one is due already)
        Now,   // once the notices at hand are handled
        Soon,  // start (or restart) the one-shot timer of the quiet time
    };
    struct Plan {
        bool close = false; // close the open port
        bool open = false;  // then open the device at `index`
        unsigned index = 0;
    };

    // A device came or went (any device: the notice does not say which).
    When OnDevicesChanged();
    // The system woke from sleep: drivers often leave a port that delivers
    // nothing.
    When OnResumed();
    // A port told of its close. The ones the connection closed itself
    // are expected; a close of the open port that nobody asked for means the
    // port is dead.
    When OnPortClosed(std::uintptr_t handle);
    // The connection closed its port successfully: a close notice will follow.
    void OnClosedByProgram();

    // The check is due: what to do about `configuredName` now that `devices`
    // are present.
    // `taken`: the indices other slots hold, which this one never opens.
    Plan Check(const std::string& configuredName, const MidiInDeviceList& devices,
               const std::vector<unsigned>& taken = {});
    // Outcome of opening, reported by the connection after a Plan and after any
    // open of its own (start, the user's choice).
    void SetOpened(unsigned index, std::uintptr_t handle);
    void SetNotOpened(Status status, std::vector<std::string> candidates = {});
    // After a check: whether to try once more a moment later.
    When AfterCheck();

    Status GetStatus() const { return m_status; }
    // The index of the open port, if one is open.
    std::optional<unsigned> OpenIndex() const { return m_openIndex; }
    // While Ambiguous: the names of the devices that fit.
    const std::vector<std::string>& GetCandidates() const { return m_candidates; }

private:
    When Gather();

    Status m_status = Status::NoDevice;
    std::vector<std::string> m_candidates;
    std::optional<unsigned> m_openIndex;
    std::uintptr_t m_handle = 0;
    bool m_checkPosted = false;
    int m_retriesLeft = 0;
    int m_ownCloseNotices = 0;
};
