#pragma once
#include <cstdint>
#include <string>

// What the conversion engine asks of the platform. The Win32 implementation
// injects keys and activates windows; tests use a recording fake.
class IEngineActions {
public:
    virtual ~IEngineActions() = default;

    // One key stroke: Ctrl, Shift, Alt (bits 0, 1, 2 of keyFlag) down, the
    // key down and up, the modifiers up in reverse order.
    virtual void StrikeKey(std::uint8_t keyCode, std::uint8_t keyFlag) = 0;
    // Brings the topmost visible window of the running executable to the front.
    virtual void ActivateApplication(const std::string& exePath) = 0;
    // The same, but starts the executable when it has no visible window.
    // Actions that cannot start programs only activate.
    virtual void ActivateOrLaunchApplication(const std::string& exePath) {
        ActivateApplication(exePath);
    }
    // The converter was switched on or off (the tray icon follows).
    virtual void EnabledChanged(bool enabled) = 0;
};
