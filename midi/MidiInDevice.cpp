#include "MidiInDevice.h"

#include "IMidiPlatform.h"

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
    if (m_platform.InClose(m_hMidiIn) != 0) {
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
