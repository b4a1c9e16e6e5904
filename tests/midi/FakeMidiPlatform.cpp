#include "FakeMidiPlatform.h"

namespace {
// WinMM's numbers for the same failures (MMSYSERR_BADDEVICEID, _ALLOCATED,
// _INVALHANDLE in mmsystem.h).
constexpr unsigned kBadDeviceId = 2;
constexpr unsigned kAllocated = 4;
constexpr unsigned kInvalidHandle = 5;
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
    m_open[deviceIndex] = false;
    return Record(call + " h=" + std::to_string(handle), 0);
}

unsigned FakeMidiPlatform::InStart(std::uintptr_t handle) {
    const std::string call = "start " + std::to_string(handle);
    const unsigned deviceIndex = static_cast<unsigned>(handle - 100);
    if (handle < 100 || !IsOpen(deviceIndex)) {
        return Record(call, kInvalidHandle);
    }
    if (const unsigned failure = Lookup(startResult, deviceIndex)) {
        return Record(call, failure);
    }
    m_open[deviceIndex] = true;
    return Record(call, 0);
}

unsigned FakeMidiPlatform::InClose(std::uintptr_t handle) {
    const std::string call = "close " + std::to_string(handle);
    const unsigned deviceIndex = static_cast<unsigned>(handle - 100);
    if (handle < 100 || !IsOpen(deviceIndex)) {
        return Record(call, kInvalidHandle);
    }
    if (const unsigned failure = Lookup(closeResult, deviceIndex)) {
        return Record(call, failure);
    }
    m_open.erase(deviceIndex);
    return Record(call, 0);
}
