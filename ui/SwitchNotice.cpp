#include "SwitchNotice.h"

#include "Dpi.h"
#include "WinApp.h"

namespace {
constexpr UINT_PTR kFadeTimer = 51;
constexpr UINT kFadeStepMs = 30;

// Sizes at 96 dots per inch.
constexpr int kFontPoints = 16;
constexpr int kPaddingX = 28;
constexpr int kPaddingY = 12;
constexpr int kBottomGap = 72; // above the task bar, below most windows' content
constexpr COLORREF kBackground = RGB(32, 32, 32);
constexpr COLORREF kTextColour = RGB(255, 255, 255);

int Scaled(int value, UINT dpi) {
    return ::MulDiv(value, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}
} // namespace

CSwitchNotice::~CSwitchNotice() {
    Close();
}

void CSwitchNotice::Close() {
    if (m_window != nullptr) {
        ::DestroyWindow(m_window);
        m_window = nullptr;
    }
    if (m_font != nullptr) {
        ::DeleteObject(m_font);
        m_font = nullptr;
    }
}

void CSwitchNotice::SetWanted(bool wanted) {
    m_plan.SetWanted(wanted);
    if (!wanted && m_window != nullptr) {
        ::KillTimer(m_window, kFadeTimer);
        ::ShowWindow(m_window, SW_HIDE);
    }
}

void CSwitchNotice::OnEnabledChanged(bool enabled) {
    if (m_plan.OnEnabledChanged(enabled, ::GetTickCount())) {
        Start();
    }
}

void CSwitchNotice::OnLayerChanged(const std::string& layerName) {
    if (m_plan.OnLayerChanged(layerName, ::GetTickCount())) {
        Start();
    }
}

void CSwitchNotice::Start() {
    if (!Create()) {
        return;
    }
    PlaceAndShow();
    // A notice already fading starts its time again under the new text.
    ::SetTimer(m_window, kFadeTimer, kFadeStepMs, nullptr);
}

bool CSwitchNotice::Create() {
    if (m_window != nullptr) {
        return true;
    }
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &CSwitchNotice::WindowProc;
    windowClass.hInstance = GetAppInstance();
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.lpszClassName = kWindowClass;
    // A second registration fails harmlessly once the class exists.
    if (::RegisterClassExA(&windowClass) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    m_window = ::CreateWindowExA(
        WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE,
        kWindowClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetAppInstance(), this);
    return m_window != nullptr;
}

void CSwitchNotice::PlaceAndShow() {
    HWND front = ::GetForegroundWindow();
    const HMONITOR monitor =
        ::MonitorFromWindow(front != nullptr ? front : m_window, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoA(monitor, &info)) {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &info.rcWork, 0);
    }
    const RECT& work = info.rcWork;
    // On that monitor first, so that the window takes its scale.
    ::SetWindowPos(m_window, nullptr, (work.left + work.right) / 2, (work.top + work.bottom) / 2,
                   1, 1, SWP_NOZORDER | SWP_NOACTIVATE);
    const UINT dpi = WindowDpi(m_window);
    UseFontFor(dpi);

    SIZE text = {Scaled(48, dpi), Scaled(24, dpi)};
    if (HDC dc = ::GetDC(m_window)) {
        const HGDIOBJ old = ::SelectObject(dc, m_font);
        const std::string& shown = m_plan.Text();
        ::GetTextExtentPoint32A(dc, shown.c_str(), static_cast<int>(shown.size()), &text);
        ::SelectObject(dc, old);
        ::ReleaseDC(m_window, dc);
    }
    const int width = text.cx + 2 * Scaled(kPaddingX, dpi);
    const int height = text.cy + 2 * Scaled(kPaddingY, dpi);
    const int x = (work.left + work.right - width) / 2;
    const int y = work.bottom - Scaled(kBottomGap, dpi) - height;
    // Also the window's text, for screen readers and tools that read windows.
    ::SetWindowTextA(m_window, m_plan.Text().c_str());
    ::SetLayeredWindowAttributes(m_window, 0, CSwitchNoticePlan::kFullOpacity, LWA_ALPHA);
    ::SetWindowPos(m_window, HWND_TOPMOST, x, y, width, height,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ::InvalidateRect(m_window, nullptr, TRUE);
}

void CSwitchNotice::UseFontFor(UINT dpi) {
    if (m_font != nullptr && m_fontDpi == dpi) {
        return;
    }
    const HFONT font = ::CreateFontA(-::MulDiv(kFontPoints, static_cast<int>(dpi), 72), 0, 0, 0,
                                     FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                                     DEFAULT_PITCH, "MS UI Gothic");
    if (font == nullptr) {
        return; // the last font, or the system's, draws it
    }
    if (m_font != nullptr) {
        ::DeleteObject(m_font);
    }
    m_font = font;
    m_fontDpi = dpi;
}

void CSwitchNotice::Fade() {
    const std::uint8_t opacity = m_plan.OpacityAt(::GetTickCount());
    if (opacity == 0) {
        ::KillTimer(m_window, kFadeTimer);
        ::ShowWindow(m_window, SW_HIDE);
        return;
    }
    ::SetLayeredWindowAttributes(m_window, 0, opacity, LWA_ALPHA);
}

void CSwitchNotice::Paint() {
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_window, &paint);
    if (dc == nullptr) {
        return;
    }
    RECT client = {};
    ::GetClientRect(m_window, &client);
    if (HBRUSH background = ::CreateSolidBrush(kBackground)) {
        ::FillRect(dc, &client, background);
        ::DeleteObject(background);
    }
    const HGDIOBJ old = m_font != nullptr ? ::SelectObject(dc, m_font) : nullptr;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, kTextColour);
    const std::string& shown = m_plan.Text();
    ::DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &client,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    if (old != nullptr) {
        ::SelectObject(dc, old);
    }
    ::EndPaint(m_window, &paint);
}

LRESULT CALLBACK CSwitchNotice::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* notice = reinterpret_cast<CSwitchNotice*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT:
        if (notice != nullptr) {
            notice->Paint();
            return 0;
        }
        break;
    case WM_TIMER:
        if (notice != nullptr && wParam == kFadeTimer) {
            notice->Fade();
            return 0;
        }
        break;
    case WM_NCDESTROY:
        ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}
