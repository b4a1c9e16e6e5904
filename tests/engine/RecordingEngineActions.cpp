#include "RecordingEngineActions.h"

#include "HeldKeys.h"
#include "KeyStroke.h"
#include "StringUtil.h"

namespace {
std::string Times(int repeat) {
    return repeat == 1 ? std::string() : Format(" x%d", repeat);
}
} // namespace

std::string KeyAction(std::uint8_t keyCode, std::uint8_t keyFlag, int repeat) {
    return Format("key 0x%02X flags %u", keyCode, keyFlag) + Times(repeat);
}
std::string WheelAction(int delta, std::uint8_t keyFlag, int repeat, bool horizontal) {
    return Format("%s %+d flags %u", horizontal ? "tilt" : "wheel", delta, keyFlag) + Times(repeat);
}
std::string ButtonAction(std::uint8_t virtualKey, std::uint8_t keyFlag) {
    return Format("button 0x%02X flags %u", virtualKey, keyFlag);
}
std::string ActivateAction(const std::string& exePath) {
    return "activate " + exePath;
}
std::string ActivateOrLaunchAction(const std::string& exePath) {
    return "activate or start " + exePath;
}
std::string EnabledAction(bool enabled) {
    return enabled ? "enabled 1" : "enabled 0";
}

std::string CharAction(char16_t character) {
    return Format("char U+%04X", static_cast<unsigned>(character));
}

void RecordingEngineActions::SetStrokeTimer(int delayMs) {
    timerDueMs = delayMs < 0 ? -1 : static_cast<std::int64_t>(now) + delayMs;
}

std::string KeysAction(const std::string& events) {
    return "keys " + events;
}

void RecordingEngineActions::Strike(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                                    const CHeldKeys& programHeld) {
    switch (target.device) {
    case InputDevice::Keyboard:
        log.push_back(KeyAction(target.virtualKey, keyFlag, repeat));
        break;
    case InputDevice::MouseButton:
        log.push_back(ButtonAction(target.virtualKey, keyFlag) + Times(repeat));
        break;
    case InputDevice::Wheel:
    case InputDevice::HorizontalWheel:
        log.push_back(WheelAction(target.wheelDelta, keyFlag, repeat,
                                  target.device == InputDevice::HorizontalWheel));
        break;
    case InputDevice::Character:
        log.push_back(CharAction(target.character) + Format(" flags %u", keyFlag) + Times(repeat));
        break;
    }
    lastHeld.clear();
    for (int vk = 0; vk < 256; ++vk) {
        if (programHeld.IsHeld(static_cast<std::uint8_t>(vk))) {
            lastHeld.insert(vk);
        }
    }
}
void RecordingEngineActions::SendKeyEvents(const KeyStrokeEvent* events, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
        text +=
            Format("%s%s%s%02X", i == 0 ? "" : " ", events[i].keyUp ? "^" : "v",
                   events[i].device == InputDevice::MouseButton ? "b" : "", events[i].virtualKey);
    }
    log.push_back(KeysAction(text));
}
void RecordingEngineActions::ActivateApplication(const std::string& exePath) {
    log.push_back(ActivateAction(exePath));
}
void RecordingEngineActions::ActivateOrLaunchApplication(const std::string& exePath) {
    log.push_back(ActivateOrLaunchAction(exePath));
}
void RecordingEngineActions::EnabledChanged(bool enabled) {
    log.push_back(EnabledAction(enabled));
}

std::uintptr_t RecordingEngineActions::ForegroundWindow() {
    ++foregroundQueries;
    return m_foreground;
}
// OpenProcess with PROCESS_QUERY_LIMITED_INFORMATION fails for protected and
// some system processes, and a process may end between the window query and
// this one
// (https://learn.microsoft.com/windows/win32/procthread/process-security-and-access-rights): both
// give an empty path.
std::string RecordingEngineActions::WindowExePath(std::uintptr_t window) {
    ++exePathQueries;
    const auto it = m_windowExePaths.find(window);
    return it == m_windowExePaths.end() ? std::string() : it->second;
}
void RecordingEngineActions::PutInFront(std::uintptr_t window, const std::string& exePath) {
    m_foreground = window;
    m_windowExePaths[window] = exePath;
}
