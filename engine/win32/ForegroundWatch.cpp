#include "ForegroundWatch.h"

CForegroundWatch* CForegroundWatch::s_watching = nullptr;

bool CForegroundWatch::Start(std::function<void()> changed) {
    Stop();
    m_hook = ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                               &CForegroundWatch::OnForeground, 0, 0, WINEVENT_OUTOFCONTEXT);
    if (m_hook == nullptr) {
        return false;
    }
    m_changed = std::move(changed);
    s_watching = this;
    return true;
}

void CForegroundWatch::Stop() {
    if (m_hook != nullptr) {
        ::UnhookWinEvent(m_hook);
        m_hook = nullptr;
    }
    m_changed = nullptr;
    if (s_watching == this) {
        s_watching = nullptr;
    }
}

void CALLBACK CForegroundWatch::OnForeground(HWINEVENTHOOK hook, DWORD, HWND, LONG, LONG, DWORD,
                                             DWORD) {
    CForegroundWatch* watch = s_watching;
    if (watch != nullptr && watch->m_hook == hook && watch->m_changed) {
        // A copy: the handler may stop the watch.
        const std::function<void()> changed = watch->m_changed;
        changed();
    }
}
