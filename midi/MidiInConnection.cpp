#include "MidiInConnection.h"

#include "IMidiInCheckScheduler.h"
#include "IMidiPlatform.h"
#include "MidiInEventListener.h"

#include <utility>

using When = CMidiInReconnector::When;

CMidiInConnection::CMidiInConnection(IMidiPlatform& platform, CMidiInEventListener& input,
                                     IMidiInCheckScheduler& scheduler,
                                     SMidiInConnectionEvents events)
    : m_platform(platform), m_input(input), m_scheduler(scheduler), m_events(std::move(events)),
      m_device(platform) {}

MidiInDeviceList CMidiInConnection::ListDevices() const {
    return ListMidiInDevices(m_platform);
}

CMidiInConnection::Status CMidiInConnection::Open(const std::string& name,
                                                  std::uintptr_t receiver) {
    Close();
    m_deviceName = name;
    m_receiver = receiver;
    const Status before = m_reconnector.GetStatus();
    if (name.empty()) {
        m_reconnector.SetNotOpened(Status::NoDevice);
    } else if (const auto index = FindMidiInDevice(ListDevices(), name)) {
        OpenAt(*index);
    } else {
        m_reconnector.SetNotOpened(Status::Missing);
    }
    Report(before, false);
    return m_reconnector.GetStatus();
}

void CMidiInConnection::Close() {
    m_events.inputStopped();
    const bool wasOpen = m_device.IsOpen();
    if (m_device.Close() && wasOpen) {
        m_reconnector.OnClosedByProgram();
    }
}

void CMidiInConnection::OpenAt(unsigned index) {
    if (m_device.Open(index, m_receiver)) {
        m_reconnector.SetOpened(index, m_device.Handle());
    } else {
        m_reconnector.SetNotOpened(Status::Unopenable);
    }
}

void CMidiInConnection::OnShortMessage(std::uint32_t portHandle, std::uint32_t message) {
    m_input.OnShortMessage(portHandle, message);
}

void CMidiInConnection::OnDevicesChanged() {
    Schedule(m_reconnector.OnDevicesChanged());
}

void CMidiInConnection::OnResumed() {
    Schedule(m_reconnector.OnResumed());
}

void CMidiInConnection::OnPortClosed(std::uintptr_t portHandle) {
    Schedule(m_reconnector.OnPortClosed(portHandle));
}

void CMidiInConnection::Schedule(When when) {
    // A check that cannot be put off runs now: the reconnector must not wait
    // for one that never comes.
    switch (when) {
    case When::Now:
        if (!m_scheduler.PostCheck()) {
            RunCheck();
        }
        break;
    case When::Soon:
        if (!m_scheduler.StartRetryDelay()) {
            RunCheck();
        }
        break;
    case When::Never:
        break;
    }
}

void CMidiInConnection::RunCheck() {
    const MidiInDeviceList devices = ListDevices();
    const Status before = m_reconnector.GetStatus();
    const CMidiInReconnector::Plan plan = m_reconnector.Check(m_deviceName, devices);
    if (plan.close || plan.open) {
        Close();
    }
    if (plan.open) {
        OpenAt(plan.index);
    }
    m_events.devicesListed(devices);
    Report(before, true);
    if (m_reconnector.AfterCheck() == When::Soon) {
        // Only a timer: a retry that cannot be timed is left out, not run
        // here in a loop.
        m_scheduler.StartRetryDelay();
    }
}

void CMidiInConnection::Report(Status before, bool byItself) {
    m_events.statusReported(before, m_reconnector.GetStatus(), byItself);
}
