#include "ConfirmedReleases.h"

#include "KeyInjection.h"

#include <wtsapi32.h>

#include <utility>
#include <vector>

namespace {
constexpr UINT_PTR kConfirmTimer = 0x5352;
// Long enough for the system to have taken in what we sent, so that a
// release that arrived reads up: a key left pending longer could be one the
// user presses meanwhile.
constexpr UINT kConfirmDelayMs = 150;

bool HasRelease(const KeyStrokeEvent* events, int count) {
    for (int i = 0; i < count; ++i) {
        if (events[i].keyUp) {
            return true;
        }
    }
    return false;
}
} // namespace

const char* const CConfirmedReleases::kText =
    "管理者として実行中のウィンドウが前面にあるため、押したままのキーを離せませんでした。"
    "そのウィンドウから戻ったときに、もう一度離します。";

CConfirmedReleases* CConfirmedReleases::s_attached = nullptr;

CConfirmedReleases::CConfirmedReleases(IKeyboardState& keyboard,
                                       std::function<bool()> frontWindowAboveUs, UserNotice notice,
                                       Sender sender)
    : m_keyboard(keyboard), m_frontWindowAboveUs(std::move(frontWindowAboveUs)),
      m_notice(std::move(notice)),
      m_sender(sender ? std::move(sender) : Sender(&SendKeyStrokeEvents)) {}

CConfirmedReleases::~CConfirmedReleases() {
    Detach();
}

void CConfirmedReleases::Send(const KeyStrokeEvent* events, int count) {
    CPendingReleases::ResendEvents resend;
    const int resendCount = m_pending.BeforeBatch(events, count, m_keyboard, resend);
    // The results cannot tell a release dropped for an elevated window (the
    // SendInput documentation says so); the key state afterwards can.
    if (resendCount == 0) {
        m_sender(events, count);
    } else {
        std::vector<KeyStrokeEvent> batch(resend, resend + resendCount);
        batch.insert(batch.end(), events, events + count);
        m_sender(batch.data(), static_cast<int>(batch.size()));
    }
    m_pending.AfterBatch(events, count);
    AfterReleases(resendCount > 0 || HasRelease(events, count));
}

void CConfirmedReleases::Retry() {
    CPendingReleases::ResendEvents resend;
    const int resendCount = m_pending.Retry(m_keyboard, resend);
    if (resendCount > 0) {
        m_sender(resend, resendCount);
    }
    AfterReleases(resendCount > 0);
}

void CConfirmedReleases::AfterReleases(bool sent) {
    if (!sent) {
        return;
    }
    ConfirmSoon();
    if (m_pending.ShouldTell(m_frontWindowAboveUs && m_frontWindowAboveUs()) && m_notice) {
        m_notice(kText, true);
    }
}

void CConfirmedReleases::ConfirmSoon() {
    // One shot, so that a key stuck behind an elevated window costs no
    // timer; the foreground change brings the next try.
    if (m_window != nullptr) {
        ::SetTimer(m_window, kConfirmTimer, kConfirmDelayMs, nullptr);
    }
}

void CConfirmedReleases::Attach(HWND window) {
    Detach();
    m_window = window;
    s_attached = this;
    // Out of context: the callback runs on this thread from its message
    // loop, like every other input of the program.
    m_foregroundHook =
        ::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                          &CConfirmedReleases::OnForegroundChanged, 0, 0, WINEVENT_OUTOFCONTEXT);
    // Can fail early in a session, before the terminal services run
    // (WTSRegisterSessionNotification documentation); foreground changes and
    // later batches still send the releases again then.
    m_sessionNoticesRegistered =
        ::WTSRegisterSessionNotification(window, NOTIFY_FOR_THIS_SESSION) != FALSE;
}

void CConfirmedReleases::Detach() {
    if (m_foregroundHook != nullptr) {
        ::UnhookWinEvent(m_foregroundHook);
        m_foregroundHook = nullptr;
    }
    if (m_sessionNoticesRegistered) {
        ::WTSUnRegisterSessionNotification(m_window);
        m_sessionNoticesRegistered = false;
    }
    if (m_window != nullptr) {
        ::KillTimer(m_window, kConfirmTimer);
        m_window = nullptr;
    }
    if (s_attached == this) {
        s_attached = nullptr;
    }
}

bool CConfirmedReleases::OnMessage(UINT message, WPARAM wParam) {
    if (message == WM_TIMER && wParam == kConfirmTimer) {
        ::KillTimer(m_window, kConfirmTimer);
        m_pending.Confirm(m_keyboard);
        return true;
    }
    if (message == WM_WTSSESSION_CHANGE) {
        if (wParam == WTS_SESSION_UNLOCK) {
            Retry();
        }
        return true;
    }
    return false;
}

void CALLBACK CConfirmedReleases::OnForegroundChanged(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD,
                                                      DWORD) {
    if (s_attached != nullptr && !s_attached->m_pending.IsEmpty()) {
        s_attached->Retry();
    }
}
