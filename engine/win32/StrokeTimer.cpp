#include "StrokeTimer.h"

#include <utility>

namespace {

const char kWindowClass[] = "SorbelquintaroStrokes";
constexpr UINT_PTR kStrokeTimer = 40;

} // namespace

CStrokeTimer::CStrokeTimer(std::function<void()> handler) : m_handler(std::move(handler)) {}

void CStrokeTimer::OnTimer() {
    // One shot: the handler asks again for what is due next.
    KillTimer(m_window.Handle(), kStrokeTimer);
    m_set = false;
    if (m_handler) {
        m_handler();
    }
}

bool CStrokeTimer::HasWindow() {
    return m_window.Handle() != nullptr ||
           m_window.Create(kWindowClass, [this](UINT message, WPARAM wParam, LPARAM) {
               if (message != WM_TIMER || wParam != kStrokeTimer) {
                   return false;
               }
               OnTimer();
               return true;
           });
}

bool CStrokeTimer::Set(int delayMs) {
    if (delayMs < 0) {
        if (m_set && m_window.Handle() != nullptr) {
            KillTimer(m_window.Handle(), kStrokeTimer);
        }
        m_set = false;
        return true;
    }
    if (!HasWindow()) {
        return false;
    }
    // The platform raises shorter delays to its minimum (10 ms) anyway.
    m_set = SetTimer(m_window.Handle(), kStrokeTimer, static_cast<UINT>(delayMs), nullptr) != 0;
    return m_set;
}
