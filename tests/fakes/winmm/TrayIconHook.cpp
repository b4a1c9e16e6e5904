// Lets the tests see the program's tray icon: Wine's notification area cannot
// be read from another process, so the program's own import of
// Shell_NotifyIconA is pointed at a wrapper that passes every call on and
// logs it (tip and balloon text included) with the time it took.
#include "TrayIconHook.h"

#include "FakeWinmmLog.h"
#include "ImportPatch.h"
#include "FakeWinmmScript.h"

#include <shellapi.h>

#include <string>

namespace {

using ShellNotifyIconFunction = BOOL(WINAPI*)(DWORD, PNOTIFYICONDATAA);

ShellNotifyIconFunction g_original = nullptr;
const FakeWinmmLog* g_log = nullptr;
const FakeWinmmScript* g_script = nullptr;
unsigned g_failedAdds = 0;

// NIM_ADD returns FALSE while there is no notification area to take the
// icon, as at logon before the shell runs or while it restarts ("Handling a
// Taskbar Re-creation", learn.microsoft.com, Notifications and the
// Notification Area). The icon is then not there: nothing is passed on.
bool FailThisAdd(DWORD message) {
    if (message != NIM_ADD || g_script == nullptr || g_failedAdds >= g_script->TrayAddFailures()) {
        return false;
    }
    ++g_failedAdds;
    return true;
}

BOOL WINAPI LoggingShellNotifyIcon(DWORD message, PNOTIFYICONDATAA data) {
    const double begin = LogClockMs();
    const BOOL result =
        g_original != nullptr && !FailThisAdd(message) ? g_original(message, data) : FALSE;
    const double took = LogClockMs() - begin;
    if (g_log != nullptr && data != nullptr) {
        std::string line = "Shell_NotifyIconA message=" + std::to_string(message) +
                           " size=" + std::to_string(data->cbSize) + " flags=" + Hex(data->uFlags);
        if (data->uFlags & NIF_TIP) {
            line += " tip=" + Escaped(data->szTip, sizeof data->szTip);
        }
        if ((data->uFlags & NIF_INFO) && data->cbSize >= NOTIFYICONDATAA_V2_SIZE) {
            line += " infoflags=" + Hex(data->dwInfoFlags) +
                    " title=" + Escaped(data->szInfoTitle, sizeof data->szInfoTitle) +
                    " info=" + Escaped(data->szInfo, sizeof data->szInfo);
        }
        g_log->Write(line + " ms=" + Ms(took) + " result=" + std::to_string(result));
    }
    return result;
}

} // namespace

void HookTrayIcon(const FakeWinmmLog& log, const FakeWinmmScript& script) {
    static FakeWinmmLog kept = log;
    g_log = &kept;
    static FakeWinmmScript keptScript = script;
    g_script = &keptScript;
    g_original = PatchProgramImport("shell32.dll", "Shell_NotifyIconA", &LoggingShellNotifyIcon);
}
