#pragma once
#include "EnumerateProcesses.h"

#include <cstdint>
#include <string>
#include <unordered_map>

// A snapshot of the running processes: process id to the full path of the
// executable. Made afresh for each use.
class CEnumProcesses {
public:
    CEnumProcesses();
    virtual ~CEnumProcesses() = default;

    CEnumProcesses(const CEnumProcesses&) = delete;
    CEnumProcesses& operator=(const CEnumProcesses&) = delete;

    // Replaces the snapshot. On false the snapshot is empty.
    bool Refresh();
    // The path of the process, or an empty string for an id not in the
    // snapshot.
    std::string GetExePath(std::uint32_t processId) const;

    // The visitor Refresh uses: stores the path under the id in the
    // CEnumProcesses given as context. Always continues.
    static bool AddProcess(std::uint32_t processId, const char* exePath, void* context);

    std::size_t BucketCount() const { return m_processes.bucket_count(); }
    std::size_t Size() const { return m_processes.size(); }

private:
    std::unordered_map<std::uint32_t, std::string> m_processes;
};
