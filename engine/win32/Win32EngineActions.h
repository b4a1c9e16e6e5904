#pragma once
#include "ApplicationLaunch.h"
#include "ConfirmedReleases.h"
#include "ElevatedTargetCheck.h"
#include "ForegroundWatch.h"
#include "EngineActions.h"
#include "StrokeTimer.h"
#include "UserNotice.h"
#include "Win32ProcessIntegrity.h"

#include <functional>

// The engine's actions on the Windows desktop: key strokes to the focused
// window and activation of running applications. The on/off change is the
// resident window's affair (its tray icon): it is handed on to the handler.
class CWin32EngineActions : public IEngineActions {
public:
    CWin32EngineActions();
    // With another source of integrity levels than the desktop's tokens.
    explicit CWin32EngineActions(IProcessIntegrity& integrity);

    void Strike(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                const CHeldKeys& programHeld) override;
    void SendKeyEvents(const KeyStrokeEvent* events, int count) override;
    void ActivateApplication(const std::string& exePath) override;
    void ActivateOrLaunchApplication(const std::string& exePath) override;
    void EnabledChanged(bool enabled) override;
    std::uintptr_t ForegroundWindow() override;
    std::string WindowExePath(std::uintptr_t window) override;
    std::uint64_t NowMs() override;
    void SetStrokeTimer(int delayMs) override;
    void KeyboardRepeatSettings(int& delaySetting, int& speedSetting) override;
    void TellUser(const std::string& text) override;
    void WatchForeground(std::function<void()> changed) override;

    // Who is called when the stroke timer fires (the engine); nobody until
    // one is set.
    void SetStrokeTimerHandler(std::function<void()> handler);

    // Where what goes wrong during the run is told (the tray balloon);
    // nothing is told until one is set.
    void SetUserNotice(UserNotice notice);
    // Who shows the converter switched on or off; nobody until one is set.
    void SetEnabledChangeHandler(std::function<void(bool enabled)> handler);
    // Sees the releases of held keys home; attached to the resident window.
    CConfirmedReleases& Releases() { return m_releases; }
    // The end of the program: starts under way get a bounded wait, and no
    // program is started afterwards.
    void StopLaunches() { m_launcher.Stop(); }

private:
    void Tell(const std::string& text, bool warning);

    UserNotice m_notice;
    std::function<void(bool enabled)> m_enabledChangeHandler;
    CWin32ProcessIntegrity m_platformIntegrity;
    CElevatedTargetCheck m_elevatedTargetCheck;
    CApplicationLauncher m_launcher;
    CAsyncKeyboardState m_keyboard;
    CConfirmedReleases m_releases;
    CStrokeTimer m_strokeTimer;
    CForegroundWatch m_foregroundWatch;
    bool m_strokeTimerFailureTold = false;
};
