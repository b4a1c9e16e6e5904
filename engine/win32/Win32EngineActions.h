#pragma once
#include "EngineActions.h"

// The engine's actions on the Windows desktop: key strokes to the focused
// window and activation of running applications. The on/off change is the
// resident window's affair (its tray icon), so nothing happens here.
class CWin32EngineActions : public IEngineActions {
public:
    void StrikeKey(std::uint8_t keyCode, std::uint8_t keyFlag) override;
    void ActivateApplication(const std::string& exePath) override;
    void EnabledChanged(bool enabled) override;
};
