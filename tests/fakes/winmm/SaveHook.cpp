#include "SaveHook.h"

#include "FakeWinmmLog.h"
#include "ImportPatch.h"

#include <windows.h>

namespace {

using MoveFileExFunction = BOOL(WINAPI*)(LPCSTR, LPCSTR, DWORD);

MoveFileExFunction g_original = nullptr;
const FakeWinmmLog* g_log = nullptr;

BOOL WINAPI LoggingMoveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
    const double begin = LogClockMs();
    const BOOL result = g_original(from, to, flags);
    const DWORD error = result ? 0 : GetLastError();
    g_log->Write("MoveFileExA to=" + (to != nullptr ? Escaped(to, MAX_PATH) : std::string()) +
                 " ms=" + Ms(LogClockMs() - begin) + " result=" + std::to_string(result));
    SetLastError(error);
    return result;
}

} // namespace

void HookSave(const FakeWinmmLog& log) {
    static FakeWinmmLog kept = log;
    g_log = &kept;
    g_original = PatchProgramImport("kernel32.dll", "MoveFileExA", &LoggingMoveFileEx);
}
