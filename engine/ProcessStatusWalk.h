#pragma once
#include "EnumProcesses.h"

#include <cstddef>
#include <cstdint>

// The process-status services the NT family's enumeration walks over. The
// Win32 implementation binds them at run time; tests use a fake.
class IProcessStatusApi {
public:
    static constexpr std::size_t kPathSize = 260;

    virtual ~IProcessStatusApi() = default;

    // Fills ids with up to bufferBytes / 4 process ids. False on failure.
    virtual bool EnumProcessIds(std::uint32_t* ids, std::uint32_t bufferBytes,
                                std::uint32_t* bytesWritten) = 0;
    // The executable's full path through limited query access, which also
    // reaches elevated processes and reads nothing of the process's memory.
    // False when the process or the query is not available.
    virtual bool ReadImagePath(std::uint32_t processId, char (&path)[kPathSize]) = 0;
    // The same from the main module, read with query and read-memory
    // access: for systems without the limited query. False (path
    // untouched) when the process or its module cannot be read.
    virtual bool ReadMainModulePath(std::uint32_t processId, char (&path)[kPathSize]) = 0;
    // False where the 16-bit task walk is not available (no VDM debugging).
    virtual bool CanWalkWowTasks() const = 0;
    // Calls CEnumProcesses::RelayWowTask for each 16-bit task of the NTVDM
    // process until it returns true.
    virtual void WalkWowTasks(std::uint32_t processId, WowRelayContext& relay) = 0;
};

// Reports every listed process, and the 16-bit tasks of NTVDM processes, to
// the visitor. False when the id list cannot be read.
bool WalkProcessStatus(IProcessStatusApi& api, ProcessVisitor visitor, void* context);

// True when the path ends in the NTVDM executable's name, in any letter case.
bool IsNtvdmPath(const char* path);
