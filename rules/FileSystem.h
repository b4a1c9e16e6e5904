#pragma once
#include "FileRetry.h"

#include <cstdio>
#include <string>

// The few file-system services the portable settings backend needs beyond
// the C library, one implementation per platform. Each is one try: a file
// that another program holds for a moment is told apart (Locked), and
// whoever calls decides whether and when to try again.

// Opens the file for writing from its start, emptied, creating it when it
// is missing; `stream` is null unless Done.
FileTry OpenFileForWriting(const std::string& path, std::FILE*& stream);
// Makes the written content of an open stream durable.
bool SyncStream(std::FILE* stream);
// Replaces `to` with `from` in one step, durably.
FileTry ReplaceFileAtomically(const std::string& from, const std::string& to);
