#include "FakeMidiPlatform.h"

#include <algorithm>

namespace {
// WinMM's numbers for the same failures (MMSYSERR_BADDEVICEID, _ALLOCATED,
// _INVALHANDLE, _NODRIVER, MIDIERR_STILLPLAYING in mmsystem.h).
constexpr unsigned kBadDeviceId = 2;
constexpr unsigned kAllocated = 4;
constexpr unsigned kInvalidHandle = 5;
constexpr unsigned kNoDriver = 6;
constexpr unsigned kStillPlaying = 65;
} // namespace

unsigned FakeMidiPlatform::Lookup(const std::map<unsigned, unsigned>& results,
                                  unsigned deviceIndex) {
    const auto it = results.find(deviceIndex);
    return it == results.end() ? 0 : it->second;
}

unsigned FakeMidiPlatform::Record(std::string call, unsigned result) {
    calls.push_back(call + " -> " + std::to_string(result));
    return result;
}

unsigned FakeMidiPlatform::RecordBuffer(std::string call, unsigned result) {
    bufferCalls.push_back(call + " -> " + std::to_string(result));
    return result;
}

void FakeMidiPlatform::MarkDeadPorts() {
    for (auto& [handle, port] : m_ports) {
        if (port.index >= devices.size() || devices[port.index] != port.name) {
            port.dead = true;
        }
    }
}

FakeMidiPlatform::Port* FakeMidiPlatform::Find(std::uintptr_t handle) {
    MarkDeadPorts();
    const auto it = m_ports.find(handle);
    return it == m_ports.end() ? nullptr : &it->second;
}

std::uintptr_t FakeMidiPlatform::PortAt(unsigned deviceIndex) const {
    for (const auto& [handle, port] : m_ports) {
        if (!port.dead && port.index == deviceIndex && deviceIndex < devices.size() &&
            devices[deviceIndex] == port.name) {
            return handle;
        }
    }
    return 0;
}

void FakeMidiPlatform::Unplug(unsigned deviceIndex) {
    MarkDeadPorts();
    devices.erase(devices.begin() + deviceIndex);
    for (auto& [handle, port] : m_ports) {
        if (port.index == deviceIndex) {
            port.dead = true;
        } else if (port.index > deviceIndex) {
            --port.index;
        }
    }
}

void FakeMidiPlatform::Replug(unsigned deviceIndex) {
    for (auto& [handle, port] : m_ports) {
        if (port.index == deviceIndex) {
            port.dead = true;
        }
    }
}

std::uintptr_t FakeMidiPlatform::ReturnBuffer(std::uintptr_t handle) {
    Port* port = Find(handle);
    if (port == nullptr || port->queued.empty()) {
        return 0;
    }
    const std::uintptr_t buffer = port->queued.front();
    port->queued.erase(port->queued.begin());
    return buffer;
}

std::size_t FakeMidiPlatform::QueuedBuffers(std::uintptr_t handle) const {
    const auto it = m_ports.find(handle);
    return it == m_ports.end() ? 0 : it->second.queued.size();
}

unsigned FakeMidiPlatform::InGetNumDevs() {
    calls.push_back("count");
    return static_cast<unsigned>(devices.size());
}

unsigned FakeMidiPlatform::InGetDevCaps(unsigned deviceIndex, std::string& productName) {
    const std::string call = "caps " + std::to_string(deviceIndex);
    if (deviceIndex >= devices.size()) {
        return Record(call, kBadDeviceId);
    }
    if (const unsigned failure = Lookup(capsResult, deviceIndex)) {
        return Record(call, failure);
    }
    productName = devices[deviceIndex];
    return Record(call, 0);
}

unsigned FakeMidiPlatform::InOpen(std::uintptr_t& handle, unsigned deviceIndex,
                                  std::uintptr_t receiver) {
    const std::string call =
        "open " + std::to_string(deviceIndex) + " w=" + std::to_string(receiver);
    MarkDeadPorts();
    if (deviceIndex >= devices.size()) {
        return Record(call, kBadDeviceId);
    }
    // Like a real driver, a port that is open already cannot be opened again
    // (MMSYSERR_ALLOCATED, learn.microsoft.com: midiInOpen function).
    if (IsOpen(deviceIndex)) {
        return Record(call, kAllocated);
    }
    if (const unsigned failure = Lookup(openResult, deviceIndex)) {
        return Record(call, failure);
    }
    handle = HandleOf(deviceIndex);
    while (m_ports.count(handle) != 0) {
        handle += 1000;
    }
    Port& port = m_ports[handle];
    port.index = deviceIndex;
    port.name = devices[deviceIndex];
    return Record(call + " h=" + std::to_string(handle), 0);
}

// A dead port refuses every call but its close with MMSYSERR_NODRIVER,
// as Windows MIDI Services answers for an invalidated port (microsoft/MIDI,
// WinMM client MidiSrvPorts.cpp).
unsigned FakeMidiPlatform::InStart(std::uintptr_t handle) {
    const std::string call = "start " + std::to_string(handle);
    Port* port = Find(handle);
    if (port == nullptr) {
        return Record(call, kInvalidHandle);
    }
    if (port->dead) {
        return Record(call, kNoDriver);
    }
    if (const unsigned failure = Lookup(startResult, port->index)) {
        return Record(call, failure);
    }
    port->started = true;
    return Record(call, 0);
}

// Stops the input and marks every queued buffer done, back to the program
// (learn.microsoft.com: midiInReset function).
unsigned FakeMidiPlatform::InReset(std::uintptr_t handle) {
    const std::string call = "reset " + std::to_string(handle);
    Port* port = Find(handle);
    if (port == nullptr) {
        return RecordBuffer(call, kInvalidHandle);
    }
    if (port->dead) {
        return RecordBuffer(call, kNoDriver);
    }
    if (const unsigned failure = Lookup(resetResult, port->index)) {
        return RecordBuffer(call, failure);
    }
    port->started = false;
    port->queued.clear();
    return RecordBuffer(call, 0);
}

// A port with buffers still queued refuses to close with
// MIDIERR_STILLPLAYING (learn.microsoft.com: midiInClose function).
unsigned FakeMidiPlatform::InClose(std::uintptr_t handle) {
    const std::string call = "close " + std::to_string(handle);
    Port* port = Find(handle);
    if (port == nullptr) {
        return Record(call, kInvalidHandle);
    }
    if (const unsigned failure = Lookup(closeResult, port->index)) {
        return Record(call, failure);
    }
    if (!port->dead && !port->queued.empty()) {
        return Record(call, kStillPlaying);
    }
    m_ports.erase(handle);
    return Record(call, 0);
}

unsigned FakeMidiPlatform::InGetId(std::uintptr_t handle, unsigned& deviceIndex) {
    const std::string call = "id " + std::to_string(handle);
    Port* port = Find(handle);
    if (port == nullptr) {
        return Record(call, kInvalidHandle);
    }
    if (port->dead) {
        return Record(call, kNoDriver);
    }
    deviceIndex = port->index;
    return Record(call + " i=" + std::to_string(port->index), 0);
}

unsigned FakeMidiPlatform::InPrepareBuffer(std::uintptr_t handle, std::uintptr_t& buffer) {
    const std::string call = "prepare " + std::to_string(handle);
    Port* port = Find(handle);
    if (port == nullptr) {
        return RecordBuffer(call, kInvalidHandle);
    }
    if (port->dead) {
        return RecordBuffer(call, kNoDriver);
    }
    buffer = m_nextBuffer++;
    port->prepared.push_back(buffer);
    return RecordBuffer(call + " b=" + std::to_string(buffer), 0);
}

unsigned FakeMidiPlatform::InAddBuffer(std::uintptr_t handle, std::uintptr_t buffer) {
    const std::string call = "add " + std::to_string(handle) + " " + std::to_string(buffer);
    Port* port = Find(handle);
    if (port == nullptr) {
        return RecordBuffer(call, kInvalidHandle);
    }
    if (port->dead) {
        return RecordBuffer(call, kNoDriver);
    }
    port->queued.push_back(buffer);
    return RecordBuffer(call, 0);
}

// A queued buffer cannot be unprepared (MIDIERR_STILLPLAYING,
// learn.microsoft.com: midiInUnprepareHeader function).
unsigned FakeMidiPlatform::InUnprepareBuffer(std::uintptr_t handle, std::uintptr_t buffer) {
    const std::string call = "unprepare " + std::to_string(handle) + " " + std::to_string(buffer);
    Port* port = Find(handle);
    if (port == nullptr) {
        return RecordBuffer(call, kInvalidHandle);
    }
    if (port->dead) {
        return RecordBuffer(call, kNoDriver);
    }
    if (std::find(port->queued.begin(), port->queued.end(), buffer) != port->queued.end()) {
        return RecordBuffer(call, kStillPlaying);
    }
    port->prepared.erase(std::remove(port->prepared.begin(), port->prepared.end(), buffer),
                         port->prepared.end());
    return RecordBuffer(call, 0);
}
