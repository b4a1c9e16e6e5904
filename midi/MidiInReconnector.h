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
// A device notice does not say which device came or went, and other slots'
// devices are as likely. So notices of devices and of the wake from sleep
// are gathered until a short quiet time has passed (the device list lags
// behind the notice), and the check that follows keeps an open port that
// still answers and is still listed, under its name, where it says it is
// now (an unplug renumbers the ports after it): its held keys and its
// input go on. A port that is dead is closed and the device opened afresh:
// one that answers "no driver" (with Windows MIDI Services a replugged
// device comes back at the same index with the same name while the old
// handle stays dead), whose listed name changed, that told of a close
// nobody asked for, or any port after the wake from sleep (drivers often
// leave one that delivers nothing). At most one close and one open per
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
    // A call on the open port was answered "no driver": its device is gone.
    When OnPortGone();
    // The connection closed its port: a close notice will follow when
    // `noticeFollows` (a port whose driver is gone sends none).
    void OnClosedByProgram(bool noticeFollows = true);
    // Before a check: whether the open port, which answers that it is listed
    // at `listedAt` now (none: it does not answer), may stay open. When it
    // may, its index is `listedAt` from now on.
    bool KeepsPort(const MidiInDeviceList& devices, std::optional<unsigned> listedAt);
    // The open port is closed and opened afresh at the next check whatever
    // it answers.
    bool ReopensPort() const { return m_reopen; }

    // The check is due: what to do about `configuredName` now that `devices`
    // are present. A port still open has been kept by KeepsPort.
    // `taken`: the indices other slots hold, which this one never opens.
    Plan Check(const std::string& configuredName, const MidiInDeviceList& devices,
               const std::vector<unsigned>& taken = {});
    // Outcome of opening, reported by the connection after a Plan and after any
    // open of its own (start, the user's choice); `listedName`: the name the
    // port was listed under.
    void SetOpened(unsigned index, std::uintptr_t handle, const std::string& listedName = {});
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
    std::string m_listedName;
    // The open port is to be closed and opened afresh at the next check.
    bool m_reopen = false;
    bool m_checkPosted = false;
    int m_retriesLeft = 0;
    int m_ownCloseNotices = 0;
};
