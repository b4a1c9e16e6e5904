#pragma once
#include <cstdio>
#include <string>

// The few file-system services the portable settings backend needs beyond
// the C library, one implementation per platform.

// Opens the file for writing from its start, emptied, creating it when it
// is missing. Null when that is not possible.
std::FILE* OpenFileForWriting(const std::string& path);
// Makes the written content of an open stream durable.
bool SyncStream(std::FILE* stream);
// Replaces `to` with `from` in one step, durably.
bool ReplaceFileAtomically(const std::string& from, const std::string& to);
