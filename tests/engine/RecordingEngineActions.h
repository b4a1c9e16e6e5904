#pragma once
#include "EngineActions.h"

#include <map>
#include <set>
#include <string>
#include <vector>

// Writes down every action the engine asks for, one readable line each:
// "key 0x41 flags 7", "key 0x41 flags 0 x3" (three strokes in one batch),
// "wheel +120 flags 1 x2", "button 0x01 flags 0", "activate C:\app.exe",
// "activate or start C:\app.exe", "enabled 0", "keys v11 v41" (one batch of
// held keys: v press, ^ release; "vb01" a mouse button), "char U+3042" (a
// character typed as itself), "tell <text>" (a balloon). Its clock stands
// still until a test moves it; the stroke timer is written down, not run.
class RecordingEngineActions : public IEngineActions {
public:
    void Strike(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                const CHeldKeys& programHeld) override;
    void SendKeyEvents(const KeyStrokeEvent* events, int count) override;
    void ActivateApplication(const std::string& exePath) override;
    void ActivateOrLaunchApplication(const std::string& exePath) override;
    void EnabledChanged(bool enabled) override;
    std::uintptr_t ForegroundWindow() override;
    std::string WindowExePath(std::uintptr_t window) override;
    std::uint64_t NowMs() override { return now; }
    void SetStrokeTimer(int delayMs) override;
    void KeyboardRepeatSettings(int& delaySetting, int& speedSetting) override {
        delaySetting = repeatDelaySetting;
        speedSetting = repeatSpeedSetting;
    }
    void TellUser(const std::string& text) override { log.push_back("tell " + text); }

    // Brings a window of that executable to the front; an empty path stands
    // for a process we may not read.
    void PutInFront(std::uintptr_t window, const std::string& exePath);

    std::vector<std::string> log;
    // How often the engine asked for the window in front and for a window's
    // executable.
    int foregroundQueries = 0;
    int exePathQueries = 0;
    // The keys held by the program at the last stroke.
    std::set<int> lastHeld;

    std::uint64_t now = 1000;
    // When the stroke timer fires, or -1 while none is set.
    std::int64_t timerDueMs = -1;
    int repeatDelaySetting = 1;  // 500 ms
    int repeatSpeedSetting = 31; // 33 ms

private:
    std::uintptr_t m_foreground = 0;
    std::map<std::uintptr_t, std::string> m_windowExePaths;
};

std::string KeyAction(std::uint8_t keyCode, std::uint8_t keyFlag = 0, int repeat = 1);
// `delta` of one notch, signed; `horizontal` for the tilt wheel.
std::string WheelAction(int delta, std::uint8_t keyFlag = 0, int repeat = 1,
                        bool horizontal = false);
std::string ButtonAction(std::uint8_t virtualKey, std::uint8_t keyFlag = 0);
std::string ActivateAction(const std::string& exePath);
std::string ActivateOrLaunchAction(const std::string& exePath);
std::string EnabledAction(bool enabled);
std::string CharAction(char16_t character);
// A batch of held-key events written as "v11 v41 ^41" (hex virtual keys).
std::string KeysAction(const std::string& events);
