#pragma once
#include "ProcessStatusWalk.h"

// The system's process list and image paths (kernel32: K32EnumProcesses,
// QueryFullProcessImageNameA), both present on every system this x64
// program runs on, so nothing is loaded at run time.
class CWin32ProcessStatusApi : public IProcessStatusApi {
public:
    bool EnumProcessIds(std::uint32_t* ids, std::uint32_t bufferBytes,
                        std::uint32_t* bytesWritten) override;
    bool ReadImagePath(std::uint32_t processId, std::string& path) override;
};
