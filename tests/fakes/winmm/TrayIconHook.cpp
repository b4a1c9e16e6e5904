// Lets the tests see the program's tray icon: Wine's notification area cannot
// be read from another process, so the program's own import of
// Shell_NotifyIconA is pointed at a wrapper that logs every call (tip and
// balloon text included) before passing it on.
#include "TrayIconHook.h"

#include "FakeWinmmLog.h"
#include "FakeWinmmScript.h"

#include <shellapi.h>

#include <cstring>
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

// Blanks and other bytes that would split a log field are written as %XX.
std::string Escaped(const char* text, std::size_t size) {
    std::string escaped;
    for (std::size_t i = 0; i < size && text[i] != '\0'; ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte <= ' ' || byte == '%' || byte == '=' || byte == 0x7F) {
            static const char digits[] = "0123456789ABCDEF";
            escaped += '%';
            escaped += digits[byte >> 4];
            escaped += digits[byte & 15];
        } else {
            escaped += static_cast<char>(byte);
        }
    }
    return escaped;
}

BOOL WINAPI LoggingShellNotifyIcon(DWORD message, PNOTIFYICONDATAA data) {
    const BOOL result =
        g_original != nullptr && !FailThisAdd(message) ? g_original(message, data) : FALSE;
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
        g_log->Write(line + " result=" + std::to_string(result));
    }
    return result;
}

bool PatchImport(HMODULE module, const char* dllName, const char* function, void* replacement,
                 void** original) {
    const auto base = reinterpret_cast<const BYTE*>(module);
    const auto dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0) {
        return false;
    }
    auto descriptor =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
    for (; descriptor->Name != 0; ++descriptor) {
        if (_stricmp(reinterpret_cast<const char*>(base + descriptor->Name), dllName) != 0 ||
            descriptor->OriginalFirstThunk == 0) {
            continue;
        }
        auto names =
            reinterpret_cast<const IMAGE_THUNK_DATA*>(base + descriptor->OriginalFirstThunk);
        auto slots =
            reinterpret_cast<IMAGE_THUNK_DATA*>(const_cast<BYTE*>(base) + descriptor->FirstThunk);
        for (; names->u1.AddressOfData != 0; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
                continue;
            }
            const auto byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) {
                continue;
            }
            DWORD oldProtection = 0;
            if (!VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE,
                                &oldProtection)) {
                return false;
            }
            *original = reinterpret_cast<void*>(slots->u1.Function);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, oldProtection,
                           &oldProtection);
            return true;
        }
    }
    return false;
}

} // namespace

void HookTrayIcon(const FakeWinmmLog& log, const FakeWinmmScript& script) {
    static FakeWinmmLog kept = log;
    g_log = &kept;
    static FakeWinmmScript keptScript = script;
    g_script = &keptScript;
    void* original = nullptr;
    if (PatchImport(GetModuleHandleA(nullptr), "shell32.dll", "Shell_NotifyIconA",
                    reinterpret_cast<void*>(&LoggingShellNotifyIcon), &original)) {
        g_original = reinterpret_cast<ShellNotifyIconFunction>(original);
    }
}
