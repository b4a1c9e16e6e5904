#pragma once
#include <windows.h>

#include <map>
#include <string>

// One started program. A program still running when this object goes is
// killed, so a hanging program fails its test instead of outliving it.
class ProgramProcess {
public:
    ProgramProcess() = default;
    ~ProgramProcess();

    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // Starts `exePath` in `workingDirectory` with this process's environment,
    // changed by `environment` (an empty value removes the variable).
    bool Start(const std::string& exePath, const std::string& workingDirectory,
               const std::map<std::string, std::string>& environment = {});

    bool IsStarted() const { return m_process != nullptr; }
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process; }

    bool IsRunning() const;
    // True when the program ended within the time; its exit code is then kept.
    bool WaitForExit(unsigned timeoutMs);
    DWORD ExitCode() const { return m_exitCode; }
    // Ends the program at once (no saving); true when it is gone afterwards.
    bool Kill();

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
    DWORD m_exitCode = STILL_ACTIVE;
};
