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

bool CEnumProcesses::AddProcess(std::uint32_t processId, const char* exePath, void* context) {
    if (context == nullptr || processId == 0 || exePath == nullptr || *exePath == '\0') {
        return true;
    }
    static_cast<CEnumProcesses*>(context)->m_processes[processId] = exePath;
    return true;
}
