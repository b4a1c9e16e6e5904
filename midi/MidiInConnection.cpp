#include "MidiInConnection.h"

#include "IMidiInCheckScheduler.h"
#include "IMidiPlatform.h"
#include "MidiInEventListener.h"

#include <algorithm>
#include <utility>

using When = CMidiInReconnector::When;

namespace {
// Messages queued before a close are handled within moments; a few handles
// are plenty to recognise them.
constexpr std::size_t kClosedHandlesKept = 8;
} // namespace

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
    } else {
        SMidiInDeviceMatch match = FindMidiInDevice(ListDevices(), name, PortsTaken());
        if (match.index) {
            OpenAt(*match.index);
        } else if (!match.candidates.empty()) {
            m_reconnector.SetNotOpened(Status::Ambiguous, std::move(match.candidates));
        } else {
            m_reconnector.SetNotOpened(Status::Missing);
        }
    }
    Report(before, false);
    return m_reconnector.GetStatus();
}

void CMidiInConnection::Close() {
    m_events.inputStopped();
    const std::uintptr_t handle = m_device.Handle();
    if (m_device.Close() && handle != 0) {
        m_reconnector.OnClosedByProgram();
        m_closedHandles.push_back(handle);
        if (m_closedHandles.size() > kClosedHandlesKept) {
            m_closedHandles.pop_front();
        }
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
    // Messages carry the handle's low 32 bits. A handle may be given again
    // to a later port: the open one is ours.
    const auto carries = [portHandle](std::uintptr_t handle) {
        return static_cast<std::uint32_t>(handle) == portHandle;
    };
    const bool closedPort = !carries(m_device.Handle()) &&
                            std::any_of(m_closedHandles.begin(), m_closedHandles.end(), carries);
    if (closedPort) {
        return;
    }
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
    const CMidiInReconnector::Plan plan =
        m_reconnector.Check(m_deviceName, devices, PortsTaken());
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

std::vector<unsigned> CMidiInConnection::PortsTaken() const {
    return m_events.portsTaken ? m_events.portsTaken() : std::vector<unsigned>();
}

bool CMidiInConnection::KnowsPort(std::uintptr_t portHandle) const {
    return portHandle != 0 &&
           (m_device.Handle() == portHandle ||
            std::find(m_closedHandles.begin(), m_closedHandles.end(), portHandle) !=
                m_closedHandles.end());
}

bool CMidiInConnection::KnowsMessagePort(std::uint32_t portHandle) const {
    const auto carries = [portHandle](std::uintptr_t handle) {
        return handle != 0 && static_cast<std::uint32_t>(handle) == portHandle;
    };
    return carries(m_device.Handle()) ||
           std::any_of(m_closedHandles.begin(), m_closedHandles.end(), carries);
}

void CMidiInConnection::Report(Status before, bool byItself) {
    m_events.statusReported(before, m_reconnector.GetStatus(), byItself);
}
