#include "Win32EngineActions.h"

#include "ApplicationActivation.h"
#include "KeyInjection.h"

void CWin32EngineActions::StrikeKey(std::uint8_t keyCode, std::uint8_t keyFlag) {
    // A refused injection (a window of higher integrity has the focus) is
    // not retried.
    SendKeyStroke(keyCode, keyFlag);
}

void CWin32EngineActions::ActivateApplication(const std::string& exePath) {
    ActivateApplicationWindow(exePath);
}

void CWin32EngineActions::EnabledChanged(bool) {}
