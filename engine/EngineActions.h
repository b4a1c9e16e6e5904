#pragma once
#include <cstdint>
#include <functional>
#include <string>

class CHeldKeys;
struct KeyStrokeEvent;
struct StrokeTarget;

// What the conversion engine asks of the platform. The Win32 implementation
// injects keys and activates windows; tests use a recording fake.
class IEngineActions {
public:
    virtual ~IEngineActions() = default;

    // `repeat` strokes (1..16) in one batch, each: Ctrl, Shift, Alt (bits 0,
    // 1, 2 of keyFlag) down, the key or button down and up or one wheel
    // notch, the modifiers up in reverse order. programHeld: the keys held
    // rules keep down, which the strokes must leave down.
    virtual void Strike(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                        const CHeldKeys& programHeld) = 0;
    // Presses and releases of held rules' keys, sent as one batch.
    virtual void SendKeyEvents(const KeyStrokeEvent* events, int count) = 0;
    // Brings the topmost visible window of the running executable to the front.
    virtual void ActivateApplication(const std::string& exePath) = 0;
    // The same, but starts the executable when it has no visible window.
    // Actions that cannot start programs only activate.
    virtual void ActivateOrLaunchApplication(const std::string& exePath) {
        ActivateApplication(exePath);
    }
    // The converter was switched on or off (the tray icon follows).
    virtual void EnabledChanged(bool enabled) = 0;

    // The window in front, 0 when none, and the full path of the executable
    // that owns a window, empty when it cannot be read. Asked only for rules
    // limited to one application; actions without a desktop have no window.
    virtual std::uintptr_t ForegroundWindow() { return 0; }
    virtual std::string WindowExePath(std::uintptr_t /*window*/) { return std::string(); }

    // For the strokes that go out over time (sequences, texts, repeats): a
    // steady clock in milliseconds, and the one timer that calls the
    // engine's OnStrokeTimer after delayMs (a new request replaces the
    // last; a negative delay cancels it).
    virtual std::uint64_t NowMs() { return 0; }
    virtual void SetStrokeTimer(int /*delayMs*/) {}
    // The keyboard's repeat delay (0..3) and speed (0..31) as the user set
    // them.
    virtual void KeyboardRepeatSettings(int& delaySetting, int& speedSetting) {
        delaySetting = 1;
        speedSetting = 31;
    }
    // Calls `changed` (on the window's thread) whenever another window comes
    // to the front, until called with an empty function. Actions without a
    // desktop never call it.
    virtual void WatchForeground(std::function<void()> changed) { (void)changed; }
    // Tells the user of something that went wrong, without stopping them.
    virtual void TellUser(const std::string& /*text*/) {}
};
