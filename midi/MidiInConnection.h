#pragma once
#include "MidiInDevice.h"
#include "MidiInDeviceList.h"
#include "MidiInReconnector.h"

#include <cstdint>
#include <functional>
#include <deque>
#include <string>
#include <vector>

class CMidiInEventListener;
class IMidiInCheckScheduler;
class IMidiPlatform;

// What the connection tells its owner; all three must be set.
struct SMidiInConnectionEvents {
    using Status = CMidiInReconnector::Status;

    // The port is about to close or to be opened anew: no release and no
    // controller value of the input so far can come any more.
    std::function<void()> inputStopped;
    // A check listed the devices present now.
    std::function<void(const MidiInDeviceList& devices)> devicesListed;
    // The device's status after an open or a check and the one before it;
    // `byItself`: found by a check that no user asked for.
    std::function<void(Status before, Status after, bool byItself)> statusReported;
    // Optional: the indices of the ports other slots hold, never opened here.
    std::function<std::vector<unsigned>()> portsTaken;
};

// The one MIDI-IN connection of the program: the configured device opened
// by its name, its input passed on, and the device found again by itself
// after it was unplugged, plugged in again (at whatever index) or the system
// slept. The platform's notices reach it decoded (midi/win32 does that for
// the window that receives the port's input).
class CMidiInConnection {
public:
    using Status = CMidiInReconnector::Status;

    CMidiInConnection(IMidiPlatform& platform, CMidiInEventListener& input,
                      IMidiInCheckScheduler& scheduler, SMidiInConnectionEvents events);

    CMidiInConnection(const CMidiInConnection&) = delete;
    CMidiInConnection& operator=(const CMidiInConnection&) = delete;

    MidiInDeviceList ListDevices() const;
    // Closes the port, then opens the device named `name` (none for an empty
    // name) with its input delivered to `receiver` (the platform's handle of
    // the receiving window), from now on also when it is found again.
    // Reports and returns the status.
    Status Open(const std::string& name, std::uintptr_t receiver);
    // Every close of the port goes through here, whatever the reason.
    void Close();

    Status GetStatus() const { return m_reconnector.GetStatus(); }
    // The open port's handle as its messages carry it; 0 while none is open.
    std::uint32_t PortHandle() const { return static_cast<std::uint32_t>(m_device.Handle()); }
    std::optional<unsigned> OpenIndex() const { return m_reconnector.OpenIndex(); }
    // Whether the handle is the open port's or one of the last ones closed.
    bool KnowsPort(std::uintptr_t portHandle) const;
    bool KnowsMessagePort(std::uint32_t portHandle) const;
    const std::string& GetDeviceName() const { return m_deviceName; }
    // While the status is Ambiguous: the names of the devices that fit.
    const std::vector<std::string>& GetCandidates() const { return m_reconnector.GetCandidates(); }

    // The port delivered a short message. One that a closed port of ours
    // had queued before its close is dropped, not passed on.
    void OnShortMessage(std::uint32_t portHandle, std::uint32_t message);
    // Notices that ask for a check of the devices.
    void OnDevicesChanged();
    void OnResumed();
    void OnPortClosed(std::uintptr_t portHandle);
    // The check that was asked for is due: lists the devices once, closes
    // and opens as the reconnector plans, reports, and may ask for a retry.
    void RunCheck();

private:
    void Schedule(CMidiInReconnector::When when);
    void OpenAt(unsigned index);
    void Report(Status before, bool byItself);
    std::vector<unsigned> PortsTaken() const;

    IMidiPlatform& m_platform;
    CMidiInEventListener& m_input;
    IMidiInCheckScheduler& m_scheduler;
    SMidiInConnectionEvents m_events;
    CMidiInDevice m_device;
    CMidiInReconnector m_reconnector;
    std::string m_deviceName;
    std::uintptr_t m_receiver = 0;
    // The handles of the last ports closed, newest last.
    std::deque<std::uintptr_t> m_closedHandles;
};
