#include "MidiInDevice.h"

#include "IMidiPlatform.h"

namespace {
// MMSYSERR_NODRIVER. Windows MIDI Services answers so for a port whose
// device is gone: there is nothing left to close, and the handle is dropped
// so that the device can be found again by its name. Other refusals (such
// as MIDIERR_STILLPLAYING while buffers are queued) keep the handle for a
// later try instead of waiting here.
constexpr unsigned kNoDriver = 6;
} // namespace

CMidiInDevice::CMidiInDevice() : m_platform(PlatformMidi()) {}

CMidiInDevice::CMidiInDevice(IMidiPlatform& platform) : m_platform(platform) {}

CMidiInDevice::~CMidiInDevice() {
    Close();
}

bool CMidiInDevice::Open(unsigned deviceIndex, std::uintptr_t window) {
    Close();
    // A port that refused to close is still open and may still deliver to
    // the window; remember it so that it can be tried once more below.
    const std::uintptr_t stuck = m_hMidiIn;

    std::uintptr_t handle = 0;
    if (m_platform.InOpen(handle, deviceIndex, window) != 0) {
        return false;
    }
    m_hMidiIn = handle;
    if (stuck != 0) {
        // Given up after this last try: the field can hold only one port.
        m_platform.InClose(stuck);
    }
    return Start();
}

bool CMidiInDevice::Close() {
    if (m_hMidiIn == 0) {
        return true;
    }
    const unsigned result = m_platform.InClose(m_hMidiIn);
    if (result != 0 && result != kNoDriver) {
        return false;
    }
    m_hMidiIn = 0;
    return true;
}

bool CMidiInDevice::Start() {
    if (m_hMidiIn == 0) {
        return false;
    }
    return m_platform.InStart(m_hMidiIn) == 0;
}
