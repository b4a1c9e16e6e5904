#pragma once
#include "MidiInDeviceList.h"

#include <cstdint>
#include <optional>
#include <string>

// Keeps the configured MIDI-IN device open while devices are unplugged,
// plugged in again at another index, and the system sleeps. It only decides;
// the connection that owns the port carries the decisions out and reports back.
//
// Notices (device changes, resume, the port's own close notice) ask for a
// check; a burst of them asks once. A check compares the device list with
// the configured name and the open port. The only timer it ever asks for is
// one short one-shot delay: after a resume, and one retry after a check that
// a notice asked for and that left the device closed (drivers often refuse
// an open for a moment after the device appears).
class CMidiInReconnector {
public:
    enum class Status {
        NoDevice,   // no device configured
        Open,       // its port is open
        Missing,    // no device of that name is present
        Unopenable, // present, but its port could not be opened
    };
    // When the next check is to run.
    enum class When {
        Never, // nothing to do (also: one is due already)
        Now,   // once the notices at hand are handled
        Soon,  // start (or restart) the one-shot timer
    };
    struct Plan {
        bool close = false; // close the open port
        bool open = false;  // then open the device at `index`
        unsigned index = 0;
    };

    // A device came or went (any device: the notice does not say which).
    When OnDevicesChanged();
    // The system woke from sleep: drivers often leave a port that delivers
    // nothing, so the port is closed and opened again.
    When OnResumed();
    // A port told of its close. The ones the connection closed itself
    // are expected; a close of the open port that nobody asked for means the
    // port is dead.
    When OnPortClosed(std::uintptr_t handle);
    // The connection closed its port successfully: a close notice will follow.
    void OnClosedByProgram();

    // The check is due: what to do about `configuredName` (compared byte for
    // byte) now that `devices` are present.
    Plan Check(const std::string& configuredName, const MidiInDeviceList& devices);
    // Outcome of opening, reported by the connection after a Plan and after any
    // open of its own (start, the user's choice).
    void SetOpened(unsigned index, std::uintptr_t handle);
    void SetNotOpened(Status status);
    // After a check: whether to try once more a moment later.
    When AfterCheck();

    Status GetStatus() const { return m_status; }

private:
    When Ask();

    Status m_status = Status::NoDevice;
    std::optional<unsigned> m_openIndex;
    std::uintptr_t m_handle = 0;
    bool m_checkPosted = false;
    bool m_reopen = false;
    int m_retriesLeft = 0;
    int m_ownCloseNotices = 0;
};
