#include "MessageLoopHook.h"

#include "FakeDelivery.h"
#include "FakeWinmmLog.h"
#include "ImportPatch.h"

#include <windows.h>

namespace {

using SetTimerFunction = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
using KillTimerFunction = BOOL(WINAPI*)(HWND, UINT_PTR);
using GetMessageFunction = BOOL(WINAPI*)(MSG*, HWND, UINT, UINT);

SetTimerFunction g_setTimer = nullptr;
KillTimerFunction g_killTimer = nullptr;
GetMessageFunction g_getMessage = nullptr;
const FakeWinmmLog* g_log = nullptr;
bool g_watchMessages = false;

UINT_PTR WINAPI LoggingSetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC callback) {
    const UINT_PTR result = g_setTimer(window, id, elapse, callback);
    g_log->Write("SetTimer hwnd=" + Hex(reinterpret_cast<UINT_PTR>(window)) + " id=" + Hex(id) +
                 " elapse=" + std::to_string(elapse) + " result=" + Hex(result));
    return result;
}

BOOL WINAPI LoggingKillTimer(HWND window, UINT_PTR id) {
    const BOOL result = g_killTimer(window, id);
    g_log->Write("KillTimer hwnd=" + Hex(reinterpret_cast<UINT_PTR>(window)) + " id=" + Hex(id) +
                 " result=" + std::to_string(result));
    return result;
}

BOOL WINAPI LoggingGetMessage(MSG* msg, HWND window, UINT first, UINT last) {
    const BOOL result = g_getMessage(msg, window, first, last);
    if (result != -1) {
        TranslateFakeDelivery(msg);
    }
    if (g_watchMessages && result != -1 && msg != nullptr) {
        g_log->Write("GetMessageA message=" + Hex(msg->message) + " hwnd=" +
                     Hex(reinterpret_cast<UINT_PTR>(msg->hwnd)) + " wParam=" + Hex(msg->wParam));
    }
    return result;
}

} // namespace

void HookMessageLoop(const FakeWinmmLog& log, const std::string& directory) {
    static FakeWinmmLog kept = log;
    g_log = &kept;
    g_setTimer = PatchProgramImport("user32.dll", "SetTimer", &LoggingSetTimer);
    g_killTimer = PatchProgramImport("user32.dll", "KillTimer", &LoggingKillTimer);
    g_watchMessages =
        GetFileAttributesA((directory + "Messages.watch").c_str()) != INVALID_FILE_ATTRIBUTES;
    g_getMessage = PatchProgramImport("user32.dll", "GetMessageA", &LoggingGetMessage);
}
