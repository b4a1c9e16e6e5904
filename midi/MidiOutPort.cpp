#include "MidiOutPort.h"

#include "IMidiOutPlatform.h"

namespace {
// What a closed port answers; the service's MMSYSERR_INVALHANDLE.
constexpr unsigned kInvalidHandle = 5;
} // namespace

unsigned CMidiOutPort::Open(unsigned deviceIndex) {
    Close();
    std::uintptr_t handle = 0;
    const unsigned result = m_platform.OutOpen(handle, deviceIndex);
    if (result == 0) {
        m_handle = handle;
    }
    return result;
}

unsigned CMidiOutPort::SendShort(std::uint32_t message) {
    return m_handle != 0 ? m_platform.OutShortMsg(m_handle, message) : kInvalidHandle;
}

unsigned CMidiOutPort::SendLong(const std::vector<std::uint8_t>& bytes) {
    return m_handle != 0 ? m_platform.OutLongMsg(m_handle, bytes) : kInvalidHandle;
}

void CMidiOutPort::Close() {
    if (m_handle != 0) {
        // Whatever the answer: a port that refuses its close (still sending
        // a SysEx) cannot be reached again through this object anyway, and
        // the next open of its device would be refused as allocated.
        m_platform.OutClose(m_handle);
        m_handle = 0;
    }
}
