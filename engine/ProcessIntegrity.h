#pragma once
#include <cstdint>

// What reading a process's integrity level gave.
struct IntegrityQuery {
    enum Status {
        Read,         // level holds the level
        AccessDenied, // the process or its token may not be opened
        Failed,       // gone, or any other failure
    };
    Status status = Failed;
    std::uint32_t level = 0;
};

// The platform's answers about the window that receives key strokes, as a
// seam so that the elevation check can be tested without an elevated process.
class IProcessIntegrity {
public:
    virtual ~IProcessIntegrity() = default;
    // The process of the foreground window; 0 when there is none.
    virtual std::uint32_t ForegroundProcessId() = 0;
    virtual IntegrityQuery QueryProcess(std::uint32_t processId) = 0;
    virtual IntegrityQuery QueryOwnProcess() = 0;
};
