#include "ApplicationLaunch.h"

#include "StringUtil.h"

#include <shellapi.h>

namespace {
// How long a started program may take to show its window before a note
// starts it again.
constexpr ULONGLONG kStartingMilliseconds = 10000;

std::string FolderOf(const std::string& path) {
    const char* name = PathFindFileNamePart(path.c_str());
    return path.substr(0, static_cast<size_t>(name - path.c_str()));
}
} // namespace

CApplicationLauncher::~CApplicationLauncher() {
    Forget();
}

void CApplicationLauncher::Forget() {
    if (m_lastProcess != nullptr) {
        CloseHandle(m_lastProcess);
        m_lastProcess = nullptr;
    }
    m_lastPath.clear();
}

bool CApplicationLauncher::IsStillStarting(const std::string& exePath) const {
    return m_lastProcess != nullptr && MbsICmp(m_lastPath.c_str(), exePath.c_str()) == 0 &&
           GetTickCount64() - m_lastStartTick < kStartingMilliseconds &&
           WaitForSingleObject(m_lastProcess, 0) == WAIT_TIMEOUT;
}

CApplicationLauncher::Result CApplicationLauncher::Launch(const std::string& exePath) {
    if (IsStillStarting(exePath)) {
        return AlreadyStarting;
    }
    Forget();
    const std::string folder = FolderOf(exePath);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // No error box of the shell: a failure is told in a balloon instead.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = exePath.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&info)) {
        return GetLastError() == ERROR_CANCELLED ? Cancelled : Failed;
    }
    if (info.hProcess != nullptr) {
        m_lastPath = exePath;
        m_lastProcess = info.hProcess;
        m_lastStartTick = GetTickCount64();
    }
    return Started;
}
