#include "MidiInDevice.h"

#include "IMidiPlatform.h"

#include <algorithm>

namespace {
// MMSYSERR_NODRIVER. Windows MIDI Services answers so for a port whose
// device is gone, at any call: there is nothing left to close, and the
// handle is dropped so that the device can be found again by its name.
// Other refusals of a close (MIDIERR_STILLPLAYING while buffers are queued)
// keep the handle for one later try instead of waiting here: a close that
// keeps answering so must not hold the program (microsoft/MIDI#1157).
constexpr unsigned kNoDriver = 6;

// Windows 11 builds before February 2026 stop all input of a port at the
// first system-exclusive message that finds no buffer queued, and the new
// stack races when the buffers come after the start (microsoft/MIDI#957).
// Two, so that one is queued while the other is on its way back.
constexpr int kSysExBuffers = 2;
} // namespace

CMidiInDevice::CMidiInDevice() : m_platform(PlatformMidi()) {}

CMidiInDevice::CMidiInDevice(IMidiPlatform& platform) : m_platform(platform) {}

CMidiInDevice::~CMidiInDevice() {
    Close();
}

unsigned CMidiInDevice::Checked(unsigned result) {
    if (result == kNoDriver) {
        m_gone = true;
    }
    return result;
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
    m_buffers.clear(); // those of a stuck port stay with it
    m_gone = false;
    if (stuck != 0) {
        // Given up after this last try: the field can hold only one port.
        m_platform.InClose(stuck);
    }
    AddBuffers();
    return Start();
}

void CMidiInDevice::AddBuffers() {
    for (int i = 0; i < kSysExBuffers && !m_gone; ++i) {
        std::uintptr_t buffer = 0;
        if (Checked(m_platform.InPrepareBuffer(m_hMidiIn, buffer)) != 0) {
            // Short messages still come without; nothing to undo.
            return;
        }
        m_buffers.push_back(buffer);
        Checked(m_platform.InAddBuffer(m_hMidiIn, buffer));
    }
}

void CMidiInDevice::TakeBuffersBack() {
    if (m_buffers.empty()) {
        return;
    }
    // Queued buffers cannot be unprepared, nor can their port close.
    Checked(m_platform.InReset(m_hMidiIn));
    std::vector<std::uintptr_t> kept;
    for (const std::uintptr_t buffer : m_buffers) {
        if (m_platform.InUnprepareBuffer(m_hMidiIn, buffer) != 0) {
            kept.push_back(buffer);
        }
    }
    m_buffers = std::move(kept);
}

bool CMidiInDevice::Close() {
    if (m_hMidiIn == 0) {
        return true;
    }
    TakeBuffersBack();
    const unsigned result = Checked(m_platform.InClose(m_hMidiIn));
    m_lastCloseResult = result;
    if (result != 0 && result != kNoDriver) {
        return false;
    }
    // Buffers the port would not give up are abandoned with it, not freed.
    m_buffers.clear();
    m_hMidiIn = 0;
    return true;
}

bool CMidiInDevice::Start() {
    if (m_hMidiIn == 0) {
        return false;
    }
    return Checked(m_platform.InStart(m_hMidiIn)) == 0;
}

void CMidiInDevice::OnBufferReturned(std::uintptr_t portHandle, std::uintptr_t buffer) {
    if (m_hMidiIn == 0 || portHandle != m_hMidiIn ||
        std::find(m_buffers.begin(), m_buffers.end(), buffer) == m_buffers.end()) {
        return;
    }
    Checked(m_platform.InAddBuffer(m_hMidiIn, buffer));
}

std::optional<unsigned> CMidiInDevice::ListedIndex() {
    unsigned index = 0;
    if (m_hMidiIn == 0 || Checked(m_platform.InGetId(m_hMidiIn, index)) != 0) {
        return std::nullopt;
    }
    return index;
}
