#pragma once
#include "EnumerateProcesses.h"

#include <cstdint>
#include <string>

// The process-status services the enumeration walks over. The Win32
// implementation asks the system; tests use a fake.
class IProcessStatusApi {
public:
    virtual ~IProcessStatusApi() = default;

    // Fills ids with up to bufferBytes / 4 process ids. False on failure.
    virtual bool EnumProcessIds(std::uint32_t* ids, std::uint32_t bufferBytes,
                                std::uint32_t* bytesWritten) = 0;
    // The executable's full path, however long, through limited query
    // access, which also reaches elevated processes and reads nothing of the
    // process's memory. False when the process or the query is not available.
    virtual bool ReadImagePath(std::uint32_t processId, std::string& path) = 0;
};

// Reports every listed process to the visitor. False when the id list
// cannot be read.
bool WalkProcessStatus(IProcessStatusApi& api, ProcessVisitor visitor, void* context);
