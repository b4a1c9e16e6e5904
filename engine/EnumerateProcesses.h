#pragma once
#include <cstdint>

// Told of each process; exePath is empty when it could not be read.
// Returning false ends the enumeration.
typedef bool (*ProcessVisitor)(std::uint32_t processId, const char* exePath, void* context);

// Reports every process of the desktop to the visitor, in the platform's
// order. False when the platform's process list cannot be read. One
// implementation per platform.
bool EnumerateProcesses(ProcessVisitor visitor, void* context);
