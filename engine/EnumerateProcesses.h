#pragma once
#include <cstdint>

// Told of each process (taskHandle 0) and each 16-bit task inside an NTVDM
// process; exePath is empty when it could not be read. Returning false ends
// the enumeration.
typedef bool (*ProcessVisitor)(std::uint32_t processId, std::uint16_t taskHandle,
                               const char* exePath, void* context);

// Reports every process of the desktop to the visitor, in the platform's
// order. False when the platform offers no way to list processes. One
// implementation per platform.
bool EnumerateProcesses(ProcessVisitor visitor, void* context);
