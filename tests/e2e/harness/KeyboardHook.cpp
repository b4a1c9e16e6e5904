#include "KeyboardHook.h"

#include <algorithm>

namespace {
std::vector<DWORD> g_releases;
} // namespace

KeyboardHook::KeyboardHook() {
    g_releases.clear();
    m_hook = SetWindowsHookExA(WH_KEYBOARD_LL, Record, GetModuleHandleA(nullptr), 0);
}

KeyboardHook::~KeyboardHook() {
    if (m_hook != nullptr) {
        UnhookWindowsHookEx(m_hook);
    }
}

bool KeyboardHook::SawRelease(DWORD virtualKey) {
    return std::find(g_releases.begin(), g_releases.end(), virtualKey) != g_releases.end();
}

LRESULT CALLBACK KeyboardHook::Record(int code, WPARAM message, LPARAM data) {
    if (code == HC_ACTION && (message == WM_KEYUP || message == WM_SYSKEYUP)) {
        g_releases.push_back(reinterpret_cast<const KBDLLHOOKSTRUCT*>(data)->vkCode);
    }
    return CallNextHookEx(nullptr, code, message, data);
}
