#include "DemoPlayer.h"

#include <mmsystem.h>

namespace {
// The notes of the demo table (tools/demo/Config.ini): "hello midi" and a
// line break, a bar of a tune at a typing pace.
constexpr BYTE kPhrase[] = {60, 62, 64, 64, 65, 67, 69, 71, 72, 71, 74};
constexpr DWORD kGoPollMs = 200;
constexpr DWORD kNoteMs = 180;
constexpr DWORD kGapMs = 70;
constexpr DWORD kLoopPauseMs = 1500;
constexpr BYTE kVelocity = 96;

struct Player {
    HWND window = nullptr;
    UINT_PTR port = 0;
    HANDLE stop = nullptr;
    HANDLE thread = nullptr;
    std::string goFile;
};
Player g_player;

DWORD NoteMessage(BYTE status, BYTE note, BYTE velocity) {
    return status | (static_cast<DWORD>(note) << 8) | (static_cast<DWORD>(velocity) << 16);
}

// False when asked to stop meanwhile.
bool Wait(HANDLE stop, DWORD ms) {
    return WaitForSingleObject(stop, ms) == WAIT_TIMEOUT;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD WINAPI Play(void* parameter) {
    const Player player = *static_cast<const Player*>(parameter);
    for (;;) {
        if (!Exists(player.goFile)) {
            if (!Wait(player.stop, kGoPollMs)) {
                return 0;
            }
            continue;
        }
        for (const BYTE note : kPhrase) {
            PostMessageA(player.window, MM_MIM_DATA, player.port, NoteMessage(0x90, note, kVelocity));
            if (!Wait(player.stop, kNoteMs)) {
                return 0;
            }
            PostMessageA(player.window, MM_MIM_DATA, player.port, NoteMessage(0x80, note, 64));
            if (!Wait(player.stop, kGapMs)) {
                return 0;
            }
        }
        if (!Wait(player.stop, kLoopPauseMs)) {
            return 0;
        }
    }
}
} // namespace

void StartDemoPhrase(HWND window, UINT_PTR portHandle, const std::string& goFile) {
    if (g_player.thread != nullptr || window == nullptr) {
        return; // one demo device
    }
    g_player.window = window;
    g_player.port = portHandle;
    g_player.goFile = goFile;
    g_player.stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (g_player.stop == nullptr) {
        return;
    }
    g_player.thread = CreateThread(nullptr, 0, &Play, &g_player, 0, nullptr);
    if (g_player.thread == nullptr) {
        CloseHandle(g_player.stop);
        g_player = Player();
    }
}

void StopDemoPhrase(UINT_PTR portHandle) {
    if (g_player.thread == nullptr || g_player.port != portHandle) {
        return;
    }
    SetEvent(g_player.stop);
    // Nothing is posted for the port once it is closed, as with a driver.
    WaitForSingleObject(g_player.thread, INFINITE);
    CloseHandle(g_player.thread);
    CloseHandle(g_player.stop);
    g_player = Player();
}
