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
