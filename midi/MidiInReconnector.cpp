#include "MidiInReconnector.h"

#include <utility>

CMidiInReconnector::When CMidiInReconnector::Gather() {
    // Every notice of a burst restarts the same delay: the check runs once,
    // when the devices have settled and the list has caught up.
    m_retriesLeft = 1;
    return When::Soon;
}

CMidiInReconnector::When CMidiInReconnector::OnDevicesChanged() {
    return Gather();
}

CMidiInReconnector::When CMidiInReconnector::OnResumed() {
    return Gather();
}

CMidiInReconnector::When CMidiInReconnector::OnPortClosed(std::uintptr_t handle) {
    // Close notices come in the order of the closes, so the count of our
    // own closes tells which notices are merely ours.
    if (m_ownCloseNotices > 0) {
        --m_ownCloseNotices;
        return When::Never;
    }
    if (!m_openIndex || handle != m_handle || m_checkPosted) {
        return When::Never;
    }
    m_retriesLeft = 1;
    m_checkPosted = true;
    return When::Now;
}

void CMidiInReconnector::OnClosedByProgram() {
    ++m_ownCloseNotices;
    m_openIndex.reset();
    m_handle = 0;
}

CMidiInReconnector::Plan CMidiInReconnector::Check(const std::string& configuredName,
                                                   const MidiInDeviceList& devices,
                                                   const std::vector<unsigned>& taken) {
    m_checkPosted = false;
    Plan plan;
    // A port that is still listed may be dead all the same: it is closed
    // and opened afresh, which is rare and cheap.
    plan.close = m_openIndex.has_value();
    m_openIndex.reset();
    m_handle = 0;
    m_candidates.clear();
    if (configuredName.empty()) {
        m_status = Status::NoDevice;
        return plan;
    }
    SMidiInDeviceMatch match = FindMidiInDevice(devices, configuredName, taken);
    if (match.index) {
        plan.open = true;
        plan.index = *match.index;
    } else if (!match.candidates.empty()) {
        SetNotOpened(Status::Ambiguous, std::move(match.candidates));
    } else {
        m_status = Status::Missing;
    }
    return plan;
}

void CMidiInReconnector::SetOpened(unsigned index, std::uintptr_t handle) {
    m_openIndex = index;
    m_handle = handle;
    m_status = Status::Open;
    m_candidates.clear();
}

void CMidiInReconnector::SetNotOpened(Status status, std::vector<std::string> candidates) {
    m_openIndex.reset();
    m_handle = 0;
    m_status = status;
    m_candidates = std::move(candidates);
}

CMidiInReconnector::When CMidiInReconnector::AfterCheck() {
    const bool closed = m_status != Status::Open && m_status != Status::NoDevice;
    if (closed && m_retriesLeft > 0) {
        --m_retriesLeft;
        return When::Soon;
    }
    m_retriesLeft = 0;
    return When::Never;
}
