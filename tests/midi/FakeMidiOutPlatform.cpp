#include "FakeMidiOutPlatform.h"

#include "StringUtil.h"

namespace {
constexpr unsigned kBadDeviceId = 2;   // MMSYSERR_BADDEVICEID
constexpr unsigned kAllocated = 4;     // MMSYSERR_ALLOCATED
constexpr unsigned kInvalidHandle = 5; // MMSYSERR_INVALHANDLE
} // namespace

void FakeMidiOutPlatform::SetDevices(std::vector<SDevice> devices) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_devices = std::move(devices);
}

void FakeMidiOutPlatform::Unplug(unsigned deviceIndex) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto port = m_open.find(HandleOf(deviceIndex));
    if (port != m_open.end()) {
        port->second = true;
    }
}

void FakeMidiOutPlatform::HoldSends(bool hold) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_hold = hold;
    m_changed.notify_all();
}

unsigned FakeMidiOutPlatform::Record(std::string call, unsigned result) {
    m_calls.push_back(call + " -> " + std::to_string(result));
    m_changed.notify_all();
    return result;
}

unsigned FakeMidiOutPlatform::OutGetNumDevs() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return static_cast<unsigned>(m_devices.size());
}

unsigned FakeMidiOutPlatform::OutGetDevCaps(unsigned deviceIndex, std::string& productName,
                                            bool& softwareSynth) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (deviceIndex >= m_devices.size()) {
        return kBadDeviceId;
    }
    productName = m_devices[deviceIndex].name;
    softwareSynth = m_devices[deviceIndex].softwareSynth;
    return 0;
}

unsigned FakeMidiOutPlatform::OutOpen(std::uintptr_t& handle, unsigned deviceIndex) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const std::string call = "open " + std::to_string(deviceIndex);
    if (deviceIndex >= m_devices.size()) {
        return Record(call, kBadDeviceId);
    }
    if (m_open.count(HandleOf(deviceIndex)) != 0) {
        return Record(call, kAllocated);
    }
    if (m_devices[deviceIndex].openResult != 0) {
        return Record(call, m_devices[deviceIndex].openResult);
    }
    handle = HandleOf(deviceIndex);
    m_open[handle] = false;
    return Record(call + " h=" + std::to_string(handle), 0);
}

unsigned FakeMidiOutPlatform::OutShortMsg(std::uintptr_t handle, std::uint32_t message) {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return !m_hold; });
    const std::string call = "short h=" + std::to_string(handle) + Format(" %06X", message);
    const auto port = m_open.find(handle);
    if (port == m_open.end()) {
        return Record(call, kInvalidHandle);
    }
    if (port->second) {
        return Record(call, kNoDriver);
    }
    m_sent.push_back({handle, message, std::chrono::steady_clock::now()});
    return Record(call, 0);
}

unsigned FakeMidiOutPlatform::OutLongMsg(std::uintptr_t handle,
                                         const std::vector<std::uint8_t>& bytes) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    std::string call = "long h=" + std::to_string(handle);
    for (const std::uint8_t byte : bytes) {
        call += Format(" %02X", byte);
    }
    const auto port = m_open.find(handle);
    if (port == m_open.end()) {
        return Record(call, kInvalidHandle);
    }
    return Record(call, port->second ? kNoDriver : 0);
}

unsigned FakeMidiOutPlatform::OutClose(std::uintptr_t handle) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    const std::string call = "close h=" + std::to_string(handle);
    if (m_open.erase(handle) == 0) {
        return Record(call, kInvalidHandle);
    }
    return Record(call, 0);
}

std::vector<std::string> FakeMidiOutPlatform::Calls() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

std::vector<FakeMidiOutPlatform::SSent> FakeMidiOutPlatform::Sent() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_sent;
}

bool FakeMidiOutPlatform::WaitForCalls(std::size_t count) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(2),
                              [&] { return m_calls.size() >= count; });
}

bool FakeMidiOutPlatform::WaitFor(const std::string& call) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::seconds(2), [&] {
        for (const std::string& made : m_calls) {
            if (made == call) {
                return true;
            }
        }
        return false;
    });
}
