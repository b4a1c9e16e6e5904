#pragma once
#include <windows.h>

#include <string>

// Starts executables for activation rules that start what is not running.
// Remembers the last start, so that a second note played while that program
// is still coming up (no window yet) does not start a second copy.
class CApplicationLauncher {
public:
    enum Result {
        Started,
        AlreadyStarting,
        Cancelled, // the user declined the elevation prompt
        Failed,
    };

    CApplicationLauncher() = default;
    ~CApplicationLauncher();
    CApplicationLauncher(const CApplicationLauncher&) = delete;
    CApplicationLauncher& operator=(const CApplicationLauncher&) = delete;

    // Opens the executable as the shell does (a program that asks for
    // elevation gets its prompt), in its own folder.
    Result Launch(const std::string& exePath);

private:
    bool IsStillStarting(const std::string& exePath) const;
    void Forget();

    std::string m_lastPath;
    HANDLE m_lastProcess = nullptr;
    ULONGLONG m_lastStartTick = 0;
};
