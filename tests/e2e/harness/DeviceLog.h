#pragma once
#include "FakeWinmmControl.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class ProgramSandbox;
class SettingsWindow;

// What the fake multimedia library logged of the program's ports and of
// its tray icon: the device tests' one way of reading the devices' state.
class DeviceLog {
public:
    explicit DeviceLog(const FakeWinmmControl& midi) : m_midi(midi) {}

    // The handle of the last port opened for the device listed at `index`
    // when it was opened; 0 when none was.
    std::uintptr_t PortOf(unsigned index) const;
    // The handles of every port closed, in order.
    std::vector<std::uintptr_t> ClosedPorts() const;
    // The last tip of the tray icon.
    std::string LastTip() const;
    bool WaitForTip(const std::string& tip, unsigned timeoutMs) const;
    // Balloon texts with their warning flag, oldest first.
    std::vector<std::pair<std::string, bool>> Balloons() const;

private:
    const FakeWinmmControl& m_midi;
};

// How far the device list lags behind the notice of a device change.
constexpr unsigned kDeviceListLagMs = 300;

// A device notice first and the changed list a moment later, as Windows
// lists the devices.
bool NoticeThenDevices(const SettingsWindow& window, const ProgramSandbox& sandbox,
                       const std::vector<FakeMidiDevice>& devices);
