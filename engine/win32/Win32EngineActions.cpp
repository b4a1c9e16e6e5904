#include "Win32EngineActions.h"

#include "ApplicationActivation.h"
#include "ForegroundApplication.h"
#include "KeyInjection.h"
#include "KeyStroke.h"
#include "StringUtil.h"

#include <utility>

CWin32EngineActions::CWin32EngineActions() : CWin32EngineActions(m_platformIntegrity) {}

CWin32EngineActions::CWin32EngineActions(IProcessIntegrity& integrity)
    : m_elevatedTargetCheck(integrity,
                            [this](const std::string& text, bool warning) { Tell(text, warning); }),
      m_launcher([this](const std::string& exePath, CApplicationLauncher::Result result) {
          if (result == CApplicationLauncher::Failed) {
              Tell(Format("「%s」を起動できませんでした。", PathFindFileNamePart(exePath.c_str())),
                   true);
          }
      }),
      m_releases(
          m_keyboard, [this] { return m_elevatedTargetCheck.FrontWindowIsAboveUs(); },
          [this](const std::string& text, bool warning) { Tell(text, warning); }) {}

void CWin32EngineActions::SetUserNotice(UserNotice notice) {
    m_notice = std::move(notice);
}

void CWin32EngineActions::SetEnabledChangeHandler(std::function<void(bool enabled)> handler) {
    m_enabledChangeHandler = std::move(handler);
}

void CWin32EngineActions::Tell(const std::string& text, bool warning) {
    if (m_notice) {
        m_notice(text, warning);
    }
}

void CWin32EngineActions::Strike(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                                 const CHeldKeys& programHeld) {
    m_elevatedTargetCheck.BeforeStroke();
    // A refused injection (a window of higher integrity has the focus) is
    // not retried.
    SendStrokes(target, keyFlag, repeat, programHeld);
}

void CWin32EngineActions::SendKeyEvents(const KeyStrokeEvent* events, int count) {
    for (int i = 0; i < count; ++i) {
        if (!events[i].keyUp) {
            m_elevatedTargetCheck.BeforeStroke();
            break;
        }
    }
    m_releases.Send(events, count);
}

void CWin32EngineActions::ActivateApplication(const std::string& exePath) {
    ActivateApplicationWindow(exePath);
}

void CWin32EngineActions::ActivateOrLaunchApplication(const std::string& exePath) {
    // Without a process list every program would look stopped and be
    // started again on every note.
    if (ActivateApplicationWindow(exePath) != ActivationOutcome::NoWindow) {
        return;
    }
    // A program still starting is not started again; how the start ends
    // comes back later (a failure as a balloon).
    m_launcher.Launch(exePath);
}

void CWin32EngineActions::EnabledChanged(bool enabled) {
    if (m_enabledChangeHandler) {
        m_enabledChangeHandler(enabled);
    }
}

std::uintptr_t CWin32EngineActions::ForegroundWindow() {
    return reinterpret_cast<std::uintptr_t>(GetForegroundWindow());
}

std::string CWin32EngineActions::WindowExePath(std::uintptr_t window) {
    return ::WindowExePath(reinterpret_cast<HWND>(window));
}

std::uint64_t CWin32EngineActions::NowMs() {
    return GetTickCount64();
}

void CWin32EngineActions::SetStrokeTimer(int delayMs) {
    if (!m_strokeTimer.Set(delayMs) && !m_strokeTimerFailureTold) {
        // Without the timer a sequence stops after its first stroke.
        m_strokeTimerFailureTold = true;
        Tell("キー操作を続けて送るためのタイマーを設定できませんでした。", true);
    }
}

void CWin32EngineActions::KeyboardRepeatSettings(int& delaySetting, int& speedSetting) {
    UINT delay = 1;
    DWORD speed = 31;
    // Read at every press, so that a change in the settings counts at once;
    // the defaults of Windows when they cannot be read.
    if (!SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delay, 0)) {
        delay = 1;
    }
    if (!SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0)) {
        speed = 31;
    }
    delaySetting = static_cast<int>(delay);
    speedSetting = static_cast<int>(speed);
}

void CWin32EngineActions::TellUser(const std::string& text) {
    Tell(text, true);
}

void CWin32EngineActions::SetStrokeTimerHandler(std::function<void()> handler) {
    m_strokeTimer.SetHandler(std::move(handler));
}

void CWin32EngineActions::WatchForeground(std::function<void()> changed) {
    if (changed) {
        // Without the hook the lights still follow at the next MIDI message.
        m_foregroundWatch.Start(std::move(changed));
    } else {
        m_foregroundWatch.Stop();
    }
}
