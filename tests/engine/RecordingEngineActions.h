#pragma once
#include "EngineActions.h"

#include <string>
#include <vector>

// Writes down every action the engine asks for, one readable line each:
// "key 0x41 flags 7", "activate C:\app.exe", "activate or start C:\app.exe",
// "enabled 0".
class RecordingEngineActions : public IEngineActions {
public:
    void StrikeKey(std::uint8_t keyCode, std::uint8_t keyFlag) override;
    void ActivateApplication(const std::string& exePath) override;
    void ActivateOrLaunchApplication(const std::string& exePath) override;
    void EnabledChanged(bool enabled) override;

    std::vector<std::string> log;
};

std::string KeyAction(std::uint8_t keyCode, std::uint8_t keyFlag = 0);
std::string ActivateAction(const std::string& exePath);
std::string ActivateOrLaunchAction(const std::string& exePath);
std::string EnabledAction(bool enabled);
