#pragma once
#include "AsyncKeyboardState.h"
#include "PendingReleases.h"
#include "UserNotice.h"

#include <windows.h>

#include <functional>

// Sends the presses and releases of held keys and sees each release home:
// one that may have been dropped (an administrator's window was in front) is
// sent again when the foreground changes, when the session is unlocked and
// with every later batch, until its key reads up.
class CConfirmedReleases {
public:
    // Sends events to the window with the focus as one batch; true when the
    // platform took them all.
    using Sender = std::function<bool(const KeyStrokeEvent* events, int count)>;

    // frontWindowAboveUs: whether our input cannot reach the window in front.
    // Without a sender the events go to SendKeyStrokeEvents.
    CConfirmedReleases(IKeyboardState& keyboard, std::function<bool()> frontWindowAboveUs,
                       UserNotice notice, Sender sender = nullptr);
    ~CConfirmedReleases();

    CConfirmedReleases(const CConfirmedReleases&) = delete;
    CConfirmedReleases& operator=(const CConfirmedReleases&) = delete;

    // The releases sent again go out in the same batch as these events,
    // before them, so that nothing of the user's falls between.
    void Send(const KeyStrokeEvent* events, int count);

    // Hears of foreground changes and unlocks from now on; `window` receives
    // the session notices and the confirmation timer (see OnMessage). Only
    // one object listens at a time.
    void Attach(HWND window);
    void Detach();
    // True for the attached window's messages that were ours.
    bool OnMessage(UINT message, WPARAM wParam);

    // Sends the pending releases again now.
    void Retry();

    const CPendingReleases& Pending() const { return m_pending; }

    // The balloon text.
    static const char* const kText;

private:
    void AfterReleases(bool sent);
    void ConfirmSoon();
    static void CALLBACK OnForegroundChanged(HWINEVENTHOOK hook, DWORD event, HWND window,
                                             LONG object, LONG child, DWORD thread, DWORD time);

    IKeyboardState& m_keyboard;
    std::function<bool()> m_frontWindowAboveUs;
    UserNotice m_notice;
    Sender m_sender;
    CPendingReleases m_pending;
    HWND m_window = nullptr;
    HWINEVENTHOOK m_foregroundHook = nullptr;
    bool m_sessionNoticesRegistered = false;

    // The foreground hook's callback has no context of its own.
    static CConfirmedReleases* s_attached;
};
