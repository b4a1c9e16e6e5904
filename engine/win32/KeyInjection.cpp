#include "KeyInjection.h"

#include "HeldKeys.h"
#include "KeyStroke.h"

#include <windows.h>

#include <vector>

bool SendKeyStrokeEvents(const KeyStrokeEvent* events, int count) {
    if (count <= 0) {
        return true;
    }
    // One batch, so that the user's own typing cannot fall between our
    // presses and releases. Programs that read scan codes ignore strokes
    // without them.
    std::vector<INPUT> inputs(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        KEYBDINPUT& key = inputs[i].ki;
        inputs[i].type = INPUT_KEYBOARD;
        const UINT vk = events[i].virtualKey;
        const KeyScanCode scan = ScanCodeOf(events[i], MapVirtualKeyA(vk, MAPVK_VK_TO_VSC_EX),
                                            MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        key.wVk = events[i].virtualKey;
        key.wScan = scan.scanCode;
        key.dwFlags =
            (events[i].keyUp ? KEYEVENTF_KEYUP : 0) | (scan.extended ? KEYEVENTF_EXTENDEDKEY : 0);
    }
    return SendInput(static_cast<UINT>(count), inputs.data(), sizeof(INPUT)) ==
           static_cast<UINT>(count);
}

std::uint8_t SideModifiersDown() {
    std::uint8_t down = 0;
    for (int i = 0; i < kSideModifierCount; ++i) {
        if (GetAsyncKeyState(kSideModifierKeys[i]) & 0x8000) {
            down = static_cast<std::uint8_t>(down | (1u << i));
        }
    }
    return down;
}

bool SendKeyStroke(std::uint8_t keyCode, std::uint8_t keyFlag, const CHeldKeys& programHeld) {
    KeyStrokeEvent events[kMaxExactKeyStrokeEvents];
    const int count =
        BuildExactKeyStroke(keyCode, keyFlag, SideModifiersDown(), programHeld, events);
    return SendKeyStrokeEvents(events, count);
}
