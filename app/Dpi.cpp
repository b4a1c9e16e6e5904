#include "Dpi.h"

namespace {

// Windows 10 1607 and later; bound by name so that the program still starts
// where they are missing, and reads the system's scale there.
template <typename Function> Function User32Entry(const char* name) {
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    return user32 == nullptr ? nullptr
                             : reinterpret_cast<Function>(
                                   reinterpret_cast<void (*)()>(::GetProcAddress(user32, name)));
}

UINT SystemDpi() {
    const HDC screen = ::GetDC(nullptr);
    if (screen == nullptr) {
        return USER_DEFAULT_SCREEN_DPI;
    }
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

} // namespace

UINT WindowDpi(HWND window) {
    typedef UINT(WINAPI * GetDpiForWindowFn)(HWND);
    static const auto getDpiForWindow = User32Entry<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) {
            return dpi;
        }
    }
    return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
    typedef int(WINAPI * GetSystemMetricsForDpiFn)(int, UINT);
    static const auto forDpi = User32Entry<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (forDpi != nullptr) {
        return forDpi(index, dpi);
    }
    return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi),
                    static_cast<int>(SystemDpi()));
}
