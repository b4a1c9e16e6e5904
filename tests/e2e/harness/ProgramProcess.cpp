#include "ProgramProcess.h"

#include <cstring>
#include <vector>

namespace {

// The current environment with `changes` applied, as a block for CreateProcess.
std::vector<char> EnvironmentBlock(const std::map<std::string, std::string>& changes) {
    std::map<std::string, std::string> variables;
    std::vector<std::string> hidden; // "=C:" style entries, kept as they are
    if (char* strings = GetEnvironmentStringsA()) {
        for (const char* entry = strings; *entry != '\0'; entry += std::strlen(entry) + 1) {
            const char* equals = std::strchr(entry + 1, '=');
            if (entry[0] == '=' || equals == nullptr) {
                hidden.emplace_back(entry);
            } else {
                variables[std::string(entry, equals)] = equals + 1;
            }
        }
        FreeEnvironmentStringsA(strings);
    }
    for (const auto& [name, value] : changes) {
        if (value.empty()) {
            variables.erase(name);
        } else {
            variables[name] = value;
        }
    }
    std::vector<char> block;
    auto append = [&block](const std::string& entry) {
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back('\0');
    };
    for (const std::string& entry : hidden) {
        append(entry);
    }
    for (const auto& [name, value] : variables) {
        append(name + "=" + value);
    }
    block.push_back('\0');
    return block;
}

} // namespace

ProgramProcess::~ProgramProcess() {
    if (m_process != nullptr) {
        Kill();
        CloseHandle(m_process);
    }
}

bool ProgramProcess::Start(const std::string& exePath, const std::string& workingDirectory,
                           const std::map<std::string, std::string>& environment) {
    if (m_process != nullptr) {
        // A second start is for the next run of the program, not a second copy.
        if (IsRunning()) {
            return false;
        }
        CloseHandle(m_process);
        m_process = nullptr;
    }
    std::string commandLine = "\"" + exePath + "\"";
    std::vector<char> environmentBlock = EnvironmentBlock(environment);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        environmentBlock.data(), workingDirectory.c_str(), &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_id = info.dwProcessId;
    m_exitCode = STILL_ACTIVE;
    return true;
}

bool ProgramProcess::IsRunning() const {
    return m_process != nullptr && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

bool ProgramProcess::WaitForExit(unsigned timeoutMs) {
    if (m_process == nullptr || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0) {
        return false;
    }
    GetExitCodeProcess(m_process, &m_exitCode);
    return true;
}

bool ProgramProcess::Kill() {
    if (m_process == nullptr) {
        return true;
    }
    if (!IsRunning()) {
        return true;
    }
    TerminateProcess(m_process, 0xDEAD);
    return WaitForExit(5000);
}
