#include "KeyRecorder.h"

#include "Polling.h"

#include <cstdio>

namespace {
// A Unicode window, so that typed characters arrive as themselves and not
// in the ANSI code page.
const wchar_t kClassName[] = L"SqE2eKeyRecorder";

std::string KeyName(UINT virtualKey) {
    if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z')) {
        return std::string(1, static_cast<char>(virtualKey));
    }
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", virtualKey);
    return text;
}
} // namespace

std::string Describe(const KeyEvent& event) {
    return std::string(event.down ? "down " : "up ") + KeyName(event.virtualKey);
}

std::string Describe(const std::vector<KeyEvent>& events) {
    std::string text;
    for (const KeyEvent& event : events) {
        text += (text.empty() ? "" : ", ") + Describe(event);
    }
    return "[" + text + "]";
}

std::vector<KeyEvent> ExpectedStroke(UINT virtualKey, unsigned flags) {
    const UINT modifiers[] = {VK_CONTROL, VK_SHIFT, VK_MENU};
    std::vector<KeyEvent> events;
    for (int bit = 0; bit < 3; ++bit) {
        if (flags & (1u << bit)) {
            events.push_back({true, modifiers[bit]});
        }
    }
    events.push_back({true, virtualKey});
    events.push_back({false, virtualKey});
    for (int bit = 2; bit >= 0; --bit) {
        if (flags & (1u << bit)) {
            events.push_back({false, modifiers[bit]});
        }
    }
    return events;
}

std::vector<KeyEvent> operator+(std::vector<KeyEvent> first, const std::vector<KeyEvent>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

KeyRecorder::KeyRecorder() {
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassW(&windowClass); // fails harmlessly when registered before
    m_window =
        CreateWindowExW(0, kClassName, L"SqE2e key recorder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 600,
                        400, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), this);
}

KeyRecorder::~KeyRecorder() {
    if (m_window != nullptr) {
        SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

bool KeyRecorder::HasFocus() const {
    return GetForegroundWindow() == m_window && GetFocus() == m_window;
}

bool KeyRecorder::TakeFocus(unsigned timeoutMs) {
    if (m_window == nullptr) {
        return false;
    }
    return WaitUntil(
        [this] {
            if (!HasFocus()) {
                ShowWindow(m_window, SW_SHOWNORMAL);
                SetForegroundWindow(m_window);
                SetActiveWindow(m_window);
                SetFocus(m_window);
            }
            return HasFocus();
        },
        timeoutMs);
}

bool KeyRecorder::PointAtWindow() const {
    RECT rect;
    if (m_window == nullptr || !GetWindowRect(m_window, &rect)) {
        return false;
    }
    return SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2) != FALSE;
}

bool KeyRecorder::WaitForEvents(std::size_t count, unsigned timeoutMs) {
    return WaitUntil([&] { return m_events.size() >= count; }, timeoutMs);
}

LRESULT CALLBACK KeyRecorder::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<KeyRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (self != nullptr) {
            self->m_events.push_back(
                {message == WM_KEYDOWN || message == WM_SYSKEYDOWN, static_cast<UINT>(wParam),
                 message == WM_SYSKEYDOWN || message == WM_SYSKEYUP, GetTickCount64()});
        }
        return 0;
    case WM_CHAR:
        if (self != nullptr) {
            self->m_typed += static_cast<char16_t>(wParam);
        }
        return 0;
    case WM_SYSCHAR:
        return 0;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL:
        if (self != nullptr) {
            self->m_wheels.push_back({message == WM_MOUSEHWHEEL, GET_WHEEL_DELTA_WPARAM(wParam),
                                      (GET_KEYSTATE_WPARAM(wParam) & MK_CONTROL) != 0});
        }
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}
