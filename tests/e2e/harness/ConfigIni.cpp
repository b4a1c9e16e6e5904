#include "ConfigIni.h"

#include <windows.h>

#include <cstdio>
#include <sstream>

ConfigRule ConfigRule::KeyOnNotes(std::uint8_t first, std::uint8_t last, std::uint8_t keyCode,
                                  std::uint8_t keyFlag, std::uint8_t channel) {
    ConfigRule rule;
    rule.inputCh = channel;
    rule.noteNumber = first;
    rule.noteNumberEnd = last;
    rule.keyCode = keyCode;
    rule.keyFlag = keyFlag;
    return rule;
}

ConfigRule ConfigRule::ToggleOnNote(std::uint8_t note, std::uint8_t channel) {
    ConfigRule rule;
    rule.inputCh = channel;
    rule.outputKind = ToggleEnabled;
    rule.noteNumber = note;
    rule.noteNumberEnd = note;
    return rule;
}

ConfigRule ConfigRule::KeyOnController(std::uint8_t controller, std::uint8_t keyCode, bool fromZero,
                                       std::uint8_t channel) {
    ConfigRule rule;
    rule.inputCh = channel;
    rule.inputKind = ControlChange;
    rule.ccNumber = controller;
    rule.ccFlag = fromZero ? 1 : 0;
    rule.keyCode = keyCode;
    return rule;
}

bool operator==(const ConfigRule& a, const ConfigRule& b) {
    return a.inputCh == b.inputCh && a.inputKind == b.inputKind && a.outputKind == b.outputKind &&
           a.noteNumber == b.noteNumber && a.noteNumberEnd == b.noteNumberEnd &&
           a.ccNumber == b.ccNumber && a.ccFlag == b.ccFlag && a.pcNumber == b.pcNumber &&
           a.pcRange == b.pcRange && a.keyCode == b.keyCode && a.keyFlag == b.keyFlag &&
           a.actExePath == b.actExePath && a.foreExePath == b.foreExePath &&
           a.inputDevice == b.inputDevice;
}

std::string ConfigText(const Config& config) {
    std::ostringstream text;
    text << "[General]\r\nMidiInDevice=" << config.midiInDevice << "\r\n";
    for (std::size_t i = 0; i < config.otherDevices.size(); ++i) {
        if (!config.otherDevices[i].empty()) {
            text << "MidiInDevice" << i + 2 << "=" << config.otherDevices[i] << "\r\n";
        }
    }
    text << "TableItemCount=" << config.rules.size() << "\r\n" << config.moreGeneralKeys;
    for (std::size_t i = 0; i < config.rules.size(); ++i) {
        const ConfigRule& rule = config.rules[i];
        char section[32];
        std::snprintf(section, sizeof section, "[TableItem%03u]", static_cast<unsigned>(i));
        text << section << "\r\n"
             << "InputCh=" << unsigned(rule.inputCh) << "\r\n"
             << "InputKind=" << unsigned(rule.inputKind) << "\r\n"
             << "OutputKind=" << unsigned(rule.outputKind) << "\r\n"
             << "NoteNumber=" << unsigned(rule.noteNumber) << "\r\n"
             << "NoteNumberEnd=" << unsigned(rule.noteNumberEnd) << "\r\n"
             << "CCNumber=" << unsigned(rule.ccNumber) << "\r\n"
             << "CCFlag=" << unsigned(rule.ccFlag) << "\r\n"
             << "PCNumber=" << unsigned(rule.pcNumber) << "\r\n"
             << "PCRange=" << unsigned(rule.pcRange) << "\r\n"
             << "KeyCode=" << unsigned(rule.keyCode) << "\r\n"
             << "KeyFlag=" << unsigned(rule.keyFlag) << "\r\n"
             << "ActExePath=" << rule.actExePath << "\r\n";
        if (rule.actLaunch) {
            text << "ActLaunch=1\r\n";
        }
        if (rule.keyHold) {
            text << "KeyHold=1\r\n";
        }
        if (rule.ccMode != 0) {
            text << "CCMode=" << unsigned(rule.ccMode) << "\r\n";
        }
        if (rule.mouseAction != 0) {
            text << "MouseAction=" << unsigned(rule.mouseAction) << "\r\n";
        }
        if (!rule.foreExePath.empty()) {
            text << "ForeExePath=" << rule.foreExePath << "\r\n";
        }
        if (rule.inputDevice != 0) {
            text << "InputDevice=" << unsigned(rule.inputDevice) << "\r\n";
        }
        if (rule.layer != 0) {
            text << "Layer=" << unsigned(rule.layer) << "\r\n";
        }
        if (rule.keyRepeat) {
            text << "KeyRepeat=1\r\n";
        }
        if (!rule.keySequence.empty()) {
            text << "KeySequence=" << rule.keySequence << "\r\n";
        }
        if (!rule.text.empty()) {
            std::string escaped = rule.text;
            for (std::size_t at; (at = escaped.find("\r\n")) != std::string::npos;) {
                escaped.replace(at, 2, "___LF___");
            }
            text << "Text=" << escaped << "\r\n";
        }
        if (rule.strokeGap != 10) {
            text << "StrokeGap=" << rule.strokeGap << "\r\n";
        }
        if (rule.outputKind == ConfigRule::SwitchLayer) {
            text << "LayerAction=" << unsigned(rule.layerAction) << "\r\n"
                 << "LayerTarget=" << unsigned(rule.layerTarget) << "\r\n";
        }
        text << rule.moreKeys;
    }
    return text.str();
}

bool WriteConfigIni(const std::string& path, const Config& config) {
    return WriteFileBytes(path, ConfigText(config));
}

namespace {

std::string ProfileString(const std::string& path, const char* section, const char* key) {
    char value[256] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof value - 1, path.c_str());
    return value;
}

std::uint8_t ProfileByte(const std::string& path, const char* section, const char* key,
                         int fallback) {
    return static_cast<std::uint8_t>(GetPrivateProfileIntA(section, key, fallback, path.c_str()));
}

} // namespace

Config ReadConfigIni(const std::string& path) {
    Config config;
    config.midiInDevice = ProfileString(path, "General", "MidiInDevice");
    for (int slot = 2; slot <= 8; ++slot) {
        const std::string key = "MidiInDevice" + std::to_string(slot);
        config.otherDevices.push_back(ProfileString(path, "General", key.c_str()));
    }
    while (!config.otherDevices.empty() && config.otherDevices.back().empty()) {
        config.otherDevices.pop_back();
    }
    const int count = GetPrivateProfileIntA("General", "TableItemCount", 0, path.c_str());
    for (int i = 0; i < count; ++i) {
        char section[32];
        std::snprintf(section, sizeof section, "TableItem%03d", i);
        ConfigRule rule;
        rule.inputCh = ProfileByte(path, section, "InputCh", rule.inputCh);
        rule.inputKind = ProfileByte(path, section, "InputKind", rule.inputKind);
        rule.outputKind = ProfileByte(path, section, "OutputKind", rule.outputKind);
        rule.noteNumber = ProfileByte(path, section, "NoteNumber", rule.noteNumber);
        rule.noteNumberEnd = ProfileByte(path, section, "NoteNumberEnd", rule.noteNumber);
        rule.ccNumber = ProfileByte(path, section, "CCNumber", rule.ccNumber);
        rule.ccFlag = ProfileByte(path, section, "CCFlag", rule.ccFlag);
        rule.pcNumber = ProfileByte(path, section, "PCNumber", rule.pcNumber);
        rule.pcRange = ProfileByte(path, section, "PCRange", rule.pcRange);
        rule.keyCode = ProfileByte(path, section, "KeyCode", rule.keyCode);
        rule.keyFlag = ProfileByte(path, section, "KeyFlag", rule.keyFlag);
        rule.actExePath = ProfileString(path, section, "ActExePath");
        rule.foreExePath = ProfileString(path, section, "ForeExePath");
        rule.inputDevice = ProfileByte(path, section, "InputDevice", 0);
        config.rules.push_back(rule);
    }
    return config;
}
