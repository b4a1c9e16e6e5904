#include "RecordingEngineActions.h"

#include "StringUtil.h"

std::string KeyAction(std::uint8_t keyCode, std::uint8_t keyFlag) {
    return Format("key 0x%02X flags %u", keyCode, keyFlag);
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

void RecordingEngineActions::StrikeKey(std::uint8_t keyCode, std::uint8_t keyFlag) {
    log.push_back(KeyAction(keyCode, keyFlag));
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
