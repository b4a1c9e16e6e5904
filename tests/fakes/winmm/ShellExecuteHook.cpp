#include "ShellExecuteHook.h"

#include "FakeWinmmLog.h"
#include "ImportPatch.h"

#include <windows.h>

#include <shellapi.h>

namespace {

using ShellExecuteExFunction = BOOL(WINAPI*)(SHELLEXECUTEINFOA*);

ShellExecuteExFunction g_original = nullptr;
const FakeWinmmLog* g_log = nullptr;
std::string g_holdPath;

constexpr unsigned kLongestHoldMs = 60000;

// ShellExecuteEx returns only once the user has answered an elevation
// prompt: declining it is reported as ERROR_CANCELLED by that very call
// (https://learn.microsoft.com/en-us/windows/win32/api/shellapi/nf-shellapi-shellexecuteexa,
// return value), so the caller's thread waits as long as the prompt is up.
BOOL WINAPI HeldShellExecuteEx(SHELLEXECUTEINFOA* info) {
    const std::string file =
        info != nullptr && info->lpFile != nullptr ? Escaped(info->lpFile, MAX_PATH) : "";
    if (GetFileAttributesA(g_holdPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
        g_log->Write("shellExecuteHeld file=" + file);
        for (unsigned waited = 0; waited < kLongestHoldMs &&
                                  GetFileAttributesA(g_holdPath.c_str()) != INVALID_FILE_ATTRIBUTES;
             waited += 20) {
            Sleep(20);
        }
    }
    const double begin = LogClockMs();
    const BOOL result = g_original != nullptr ? g_original(info) : FALSE;
    const DWORD error = result ? 0 : GetLastError();
    g_log->Write("ShellExecuteExA file=" + file + " ms=" + Ms(LogClockMs() - begin) +
                 " result=" + std::to_string(result) + " error=" + std::to_string(error));
    SetLastError(error);
    return result;
}

} // namespace

void HookShellExecute(const FakeWinmmLog& log, const std::string& directory) {
    static FakeWinmmLog kept = log;
    g_log = &kept;
    g_holdPath = directory + "ShellExecute.hold";
    g_original = PatchProgramImport("shell32.dll", "ShellExecuteExA", &HeldShellExecuteEx);
}
