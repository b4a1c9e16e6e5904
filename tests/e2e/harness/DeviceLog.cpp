#include "DeviceLog.h"

#include "Polling.h"
#include "ProgramSandbox.h"
#include "SettingsWindow.h"

#include <windows.h>

#include <shellapi.h>

std::uintptr_t DeviceLog::PortOf(unsigned index) const {
    std::uintptr_t handle = 0;
    for (const FakeWinmmCall& call : m_midi.Calls("midiInOpen")) {
        if (call.Has("handle") && call.Number("device") == index) {
            handle = static_cast<std::uintptr_t>(call.Number("handle"));
        }
    }
    return handle;
}

std::vector<std::uintptr_t> DeviceLog::ClosedPorts() const {
    std::vector<std::uintptr_t> closed;
    for (const FakeWinmmCall& call : m_midi.Calls("midiInClose")) {
        closed.push_back(static_cast<std::uintptr_t>(call.Number("handle")));
    }
    return closed;
}

std::string DeviceLog::LastTip() const {
    std::string tip;
    for (const FakeWinmmCall& call : m_midi.Calls("Shell_NotifyIconA")) {
        if (call.Has("tip")) {
            tip = call.Text("tip");
        }
    }
    return tip;
}

bool DeviceLog::WaitForTip(const std::string& tip, unsigned timeoutMs) const {
    return WaitUntil([&] { return LastTip() == tip; }, timeoutMs);
}

std::vector<std::pair<std::string, bool>> DeviceLog::Balloons() const {
    std::vector<std::pair<std::string, bool>> balloons;
    for (const FakeWinmmCall& call : m_midi.Calls("Shell_NotifyIconA")) {
        if (call.Has("info")) {
            balloons.emplace_back(call.Text("info"),
                                  call.Number("infoflags") == static_cast<unsigned>(NIIF_WARNING));
        }
    }
    return balloons;
}

bool NoticeThenDevices(const SettingsWindow& window, const ProgramSandbox& sandbox,
                       const std::vector<FakeMidiDevice>& devices) {
    if (!window.PostDeviceChange()) {
        return false;
    }
    PumpMessagesFor(kDeviceListLagMs);
    return sandbox.SetMidiDevices(devices);
}
