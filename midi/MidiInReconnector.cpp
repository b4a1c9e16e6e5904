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
    m_reopen = m_reopen || m_openIndex.has_value();
    return Gather();
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
    return OnPortGone();
}

CMidiInReconnector::When CMidiInReconnector::OnPortGone() {
    if (!m_openIndex) {
        return When::Never;
    }
    m_reopen = true;
    if (m_checkPosted) {
        return When::Never;
    }
    m_retriesLeft = 1;
    m_checkPosted = true;
    return When::Now;
}

void CMidiInReconnector::OnClosedByProgram(bool noticeFollows) {
    if (noticeFollows) {
        ++m_ownCloseNotices;
    }
    m_openIndex.reset();
    m_handle = 0;
    m_listedName.clear();
}

bool CMidiInReconnector::KeepsPort(const MidiInDeviceList& devices,
                                   std::optional<unsigned> listedAt) {
    if (!m_openIndex || m_reopen || !listedAt || *listedAt >= devices.size() ||
        devices[*listedAt] != std::optional<std::string>(m_listedName)) {
        return false;
    }
    m_openIndex = listedAt;
    return true;
}

CMidiInReconnector::Plan CMidiInReconnector::Check(const std::string& configuredName,
                                                   const MidiInDeviceList& devices,
                                                   const std::vector<unsigned>& taken) {
    m_checkPosted = false;
    Plan plan;
    if (m_openIndex && !m_reopen) {
        m_status = Status::Open; // kept: it answers and is listed where it says
        return plan;
    }
    m_reopen = false;
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

void CMidiInReconnector::SetOpened(unsigned index, std::uintptr_t handle,
                                   const std::string& listedName) {
    m_openIndex = index;
    m_handle = handle;
    m_listedName = listedName;
    m_reopen = false;
    m_status = Status::Open;
    m_candidates.clear();
}

void CMidiInReconnector::SetNotOpened(Status status, std::vector<std::string> candidates) {
    m_openIndex.reset();
    m_handle = 0;
    m_listedName.clear();
    m_reopen = false;
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
