#include "StrokeTimer.h"

#include <utility>

namespace {

const char kWindowClass[] = "SorbelquintaroStrokes";
constexpr UINT_PTR kStrokeTimer = 40;

} // namespace

CStrokeTimer::CStrokeTimer(std::function<void()> handler) : m_handler(std::move(handler)) {}

CStrokeTimer::~CStrokeTimer() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

LRESULT CALLBACK CStrokeTimer::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER && wParam == kStrokeTimer) {
        // One shot: the handler asks again for what is due next.
        KillTimer(window, kStrokeTimer);
        if (auto* timer =
                reinterpret_cast<CStrokeTimer*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
            timer->m_set = false;
            if (timer->m_handler) {
                timer->m_handler();
            }
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool CStrokeTimer::HasWindow() {
    if (m_window != nullptr) {
        return true;
    }
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &CStrokeTimer::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kWindowClass;
    if (RegisterClassA(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    m_window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    if (m_window == nullptr) {
        return false;
    }
    SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

bool CStrokeTimer::Set(int delayMs) {
    if (delayMs < 0) {
        if (m_set && m_window != nullptr) {
            KillTimer(m_window, kStrokeTimer);
        }
        m_set = false;
        return true;
    }
    if (!HasWindow()) {
        return false;
    }
    // The platform raises shorter delays to its minimum (10 ms) anyway.
    m_set = SetTimer(m_window, kStrokeTimer, static_cast<UINT>(delayMs), nullptr) != 0;
    return m_set;
}
