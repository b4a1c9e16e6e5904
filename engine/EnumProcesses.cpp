#include "EnumProcesses.h"

namespace {
constexpr std::size_t kInitialBuckets = 100;
}

CEnumProcesses::CEnumProcesses() : m_processes(kInitialBuckets) {}

bool CEnumProcesses::Refresh() {
    m_processes.clear(); // keeps the buckets
    return EnumerateProcesses(&CEnumProcesses::AddProcess, this);
}

std::string CEnumProcesses::GetExePath(std::uint32_t processId) const {
    const auto it = m_processes.find(processId);
    return it == m_processes.end() ? std::string() : it->second;
}

bool CEnumProcesses::AddProcess(std::uint32_t processId, std::uint16_t, const char* exePath,
                                void* context) {
    if (context == nullptr || processId == 0 || exePath == nullptr || *exePath == '\0') {
        return true;
    }
    static_cast<CEnumProcesses*>(context)->m_processes[processId] = exePath;
    return true;
}

bool CEnumProcesses::RelayWowTask(std::uint32_t, std::uint16_t, std::uint16_t task16, const char*,
                                  const char* fileName, WowRelayContext* relay) {
    if (!relay->visitor(relay->processId, task16, fileName, relay->context)) {
        relay->stop = 1;
        return true;
    }
    return false;
}
