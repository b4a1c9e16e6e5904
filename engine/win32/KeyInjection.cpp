#include "KeyInjection.h"

#include "HeldKeys.h"
#include "KeyStroke.h"

#include <windows.h>

#include <vector>

namespace {

// A button or wheel event where the pointer is; no movement.
void FillMouseInput(const KeyStrokeEvent& event, INPUT& input) {
    input.type = INPUT_MOUSE;
    MOUSEINPUT& mouse = input.mi;
    const bool up = event.keyUp;
    switch (event.device) {
    case InputDevice::Wheel:
        mouse.dwFlags = MOUSEEVENTF_WHEEL;
        mouse.mouseData = static_cast<DWORD>(static_cast<int>(event.wheelDelta));
        return;
    case InputDevice::HorizontalWheel:
        mouse.dwFlags = MOUSEEVENTF_HWHEEL;
        mouse.mouseData = static_cast<DWORD>(static_cast<int>(event.wheelDelta));
        return;
    default:
        break;
    }
    switch (event.virtualKey) {
    case VK_LBUTTON:
        mouse.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
        break;
    case VK_RBUTTON:
        mouse.dwFlags = up ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_RIGHTDOWN;
        break;
    case VK_MBUTTON:
        mouse.dwFlags = up ? MOUSEEVENTF_MIDDLEUP : MOUSEEVENTF_MIDDLEDOWN;
        break;
    default:
        mouse.dwFlags = up ? MOUSEEVENTF_XUP : MOUSEEVENTF_XDOWN;
        mouse.mouseData = event.virtualKey == VK_XBUTTON1 ? XBUTTON1 : XBUTTON2;
        break;
    }
}

} // namespace

bool SendKeyStrokeEvents(const KeyStrokeEvent* events, int count) {
    if (count <= 0) {
        return true;
    }
    // One batch, so that the user's own typing cannot fall between our
    // presses and releases. Programs that read scan codes ignore strokes
    // without them.
    std::vector<INPUT> inputs(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (events[i].device == InputDevice::Character) {
            // A character as itself: the focused program gets it as typed,
            // whatever the keyboard layout or the input method would do.
            KEYBDINPUT& key = inputs[i].ki;
            inputs[i].type = INPUT_KEYBOARD;
            key.wScan = static_cast<WORD>(events[i].character);
            key.dwFlags = KEYEVENTF_UNICODE | (events[i].keyUp ? KEYEVENTF_KEYUP : 0);
            continue;
        }
        if (events[i].device != InputDevice::Keyboard) {
            FillMouseInput(events[i], inputs[i]);
            continue;
        }
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

bool SendStrokes(const StrokeTarget& target, std::uint8_t keyFlag, int repeat,
                 const CHeldKeys& programHeld) {
    KeyStrokeEvent events[kMaxExactKeyStrokeEvents];
    const int count =
        BuildExactStroke(target, keyFlag, repeat, SideModifiersDown(), programHeld, events);
    return SendKeyStrokeEvents(events, count);
}
