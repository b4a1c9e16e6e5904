#include "MidiInReconnector.h"

#include <utility>

CMidiInReconnector::When CMidiInReconnector::Ask() {
    if (m_checkPosted) {
        return When::Never;
    }
    m_checkPosted = true;
    return When::Now;
}

CMidiInReconnector::When CMidiInReconnector::OnDevicesChanged() {
    m_retriesLeft = 1;
    return Ask();
}

CMidiInReconnector::When CMidiInReconnector::OnResumed() {
    // Both resume notices of one wake-up restart the same delay, so the
    // port is reopened once, after the drivers have had a moment.
    m_reopen = true;
    m_retriesLeft = 1;
    return When::Soon;
}

CMidiInReconnector::When CMidiInReconnector::OnPortClosed(std::uintptr_t handle) {
    // Close notices come in the order of the closes, so the count of our
    // own closes tells which notices are merely ours.
    if (m_ownCloseNotices > 0) {
        --m_ownCloseNotices;
        return When::Never;
    }
    if (!m_openIndex || handle != m_handle) {
        return When::Never;
    }
    m_reopen = true;
    m_retriesLeft = 1;
    return Ask();
}

void CMidiInReconnector::OnClosedByProgram() {
    ++m_ownCloseNotices;
    m_openIndex.reset();
    m_handle = 0;
}

CMidiInReconnector::Plan CMidiInReconnector::Check(const std::string& configuredName,
                                                   const MidiInDeviceList& devices) {
    m_checkPosted = false;
    const bool reopen = std::exchange(m_reopen, false);
    Plan plan;
    if (configuredName.empty()) {
        m_status = Status::NoDevice;
        return plan;
    }
    if (m_openIndex) {
        const unsigned index = *m_openIndex;
        const bool stillThere =
            index < devices.size() && devices[index] && *devices[index] == configuredName;
        if (stillThere && !reopen) {
            m_status = Status::Open;
            return plan;
        }
        plan.close = true;
        m_openIndex.reset();
        m_handle = 0;
    }
    const std::optional<unsigned> found = FindMidiInDevice(devices, configuredName);
    if (found) {
        plan.open = true;
        plan.index = *found;
    } else {
        m_status = Status::Missing;
    }
    return plan;
}

void CMidiInReconnector::SetOpened(unsigned index, std::uintptr_t handle) {
    m_openIndex = index;
    m_handle = handle;
    m_status = Status::Open;
}

void CMidiInReconnector::SetNotOpened(Status status) {
    m_openIndex.reset();
    m_handle = 0;
    m_status = status;
}

CMidiInReconnector::When CMidiInReconnector::AfterCheck() {
    const bool closed = m_status == Status::Missing || m_status == Status::Unopenable;
    if (closed && m_retriesLeft > 0) {
        --m_retriesLeft;
        return When::Soon;
    }
    m_retriesLeft = 0;
    return When::Never;
}
