#include "MessageOnlyWindow.h"

#include <utility>

bool CMessageOnlyWindow::Create(const char* className, Handler handler) {
    Destroy();
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &CMessageOnlyWindow::WindowProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    if (::RegisterClassA(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    m_window = ::CreateWindowExA(0, className, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                 windowClass.hInstance, nullptr);
    if (m_window == nullptr) {
        return false;
    }
    m_handler = std::move(handler);
    // The messages of the creation itself go to the default processing.
    ::SetWindowLongPtrA(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return true;
}

void CMessageOnlyWindow::Destroy() {
    if (m_window != nullptr) {
        // Nothing of the destruction reaches a handler whose owner is going.
        ::SetWindowLongPtrA(m_window, GWLP_USERDATA, 0);
        ::DestroyWindow(m_window);
        m_window = nullptr;
    }
    m_handler = nullptr;
}

LRESULT CALLBACK CMessageOnlyWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
    auto* self = reinterpret_cast<CMessageOnlyWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && self->m_handler) {
        // A copy: the handler may destroy the window, and its own function
        // with it.
        const Handler handler = self->m_handler;
        if (handler(message, wParam, lParam)) {
            return 0;
        }
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
