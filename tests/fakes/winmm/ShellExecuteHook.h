#pragma once

#include <string>

class FakeWinmmLog;

// Points the program's import of ShellExecuteExA at a wrapper that can hold
// the call, as the shell holds it while an elevation prompt waits for the
// user: while "ShellExecute.hold" lies in `directory` (a minute at most) the
// call logs "shellExecuteHeld file=..." and waits. Every call is then passed
// on and logged as "ShellExecuteExA file=... ms=... result=... error=...".
// Called once from DllMain; `directory` ends in a backslash.
void HookShellExecute(const FakeWinmmLog& log, const std::string& directory);
