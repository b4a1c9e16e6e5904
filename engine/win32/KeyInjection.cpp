#include "KeyInjection.h"

#include "KeyStroke.h"

#include <windows.h>

bool SendKeyStroke(std::uint8_t keyCode, std::uint8_t keyFlag) {
    KeyStrokeEvent events[kMaxKeyStrokeEvents];
    const int count = BuildKeyStroke(keyCode, keyFlag, events);
    // One batch, so that the user's own typing cannot fall between our
    // presses and releases. Programs that read scan codes ignore strokes
    // without them.
    INPUT inputs[kMaxKeyStrokeEvents] = {};
    for (int i = 0; i < count; ++i) {
        KEYBDINPUT& key = inputs[i].ki;
        inputs[i].type = INPUT_KEYBOARD;
        key.wVk = events[i].virtualKey;
        key.wScan = static_cast<WORD>(MapVirtualKeyA(events[i].virtualKey, MAPVK_VK_TO_VSC));
        key.dwFlags = (events[i].keyUp ? KEYEVENTF_KEYUP : 0) |
                      (events[i].extended ? KEYEVENTF_EXTENDEDKEY : 0);
    }
    return SendInput(static_cast<UINT>(count), inputs, sizeof(INPUT)) == static_cast<UINT>(count);
}
