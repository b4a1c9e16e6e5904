#include "FakeWinmmScript.h"

#include <windows.h>

#include <string>

namespace {
std::string SectionOf(unsigned device) {
    return "Device" + std::to_string(device);
}
} // namespace

unsigned FakeWinmmScript::DeviceCount() const {
    const int count = GetPrivateProfileIntA("Devices", "Count", 0, m_path.c_str());
    return count > 0 ? static_cast<unsigned>(count) : 0;
}

bool FakeWinmmScript::CloseNoticeOnRemoval() const {
    return GetPrivateProfileIntA("Devices", "CloseNoticeOnRemoval", 0, m_path.c_str()) != 0;
}

std::string FakeWinmmScript::Name(unsigned device) const {
    char name[256] = {};
    GetPrivateProfileStringA(SectionOf(device).c_str(), "Name", "", name, sizeof name,
                             m_path.c_str());
    return name;
}

unsigned FakeWinmmScript::Result(unsigned device, const char* key) const {
    return static_cast<unsigned>(
        GetPrivateProfileIntA(SectionOf(device).c_str(), key, 0, m_path.c_str()));
}

unsigned FakeWinmmScript::TrayAddFailures() const {
    const int count = GetPrivateProfileIntA("Tray", "FailAdds", 0, m_path.c_str());
    return count > 0 ? static_cast<unsigned>(count) : 0;
}

namespace {
std::string OutputSectionOf(unsigned device) {
    return "Output" + std::to_string(device);
}
} // namespace

unsigned FakeWinmmScript::OutputCount() const {
    const int count = GetPrivateProfileIntA("Outputs", "Count", 0, m_path.c_str());
    return count > 0 ? static_cast<unsigned>(count) : 0;
}

std::string FakeWinmmScript::OutputName(unsigned device) const {
    char name[256] = {};
    GetPrivateProfileStringA(OutputSectionOf(device).c_str(), "Name", "", name, sizeof name,
                             m_path.c_str());
    return name;
}

unsigned FakeWinmmScript::OutputResult(unsigned device, const char* key) const {
    return static_cast<unsigned>(
        GetPrivateProfileIntA(OutputSectionOf(device).c_str(), key, 0, m_path.c_str()));
}

int FakeWinmmScript::OutputLoop(unsigned device) const {
    return static_cast<int>(
        GetPrivateProfileIntA(OutputSectionOf(device).c_str(), "LoopToInput", -1, m_path.c_str()));
}
