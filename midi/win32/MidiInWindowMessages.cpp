#include "MidiInWindowMessages.h"

#include "MidiInConnections.h"

#include <dbt.h>
#include <mmsystem.h>

namespace {
constexpr UINT_PTR kRetryTimer = 0x5351;
// The quiet time after the last notice, and the retry delay. Long enough
// for the device list to catch up with the notice (it lags behind
// DBT_DEVNODES_CHANGED; other MIDI software waits about 500 ms) and for a
// driver that has just appeared or woken to accept an open, short enough
// that the user does not wait for it.
constexpr UINT kRetryDelayMs = 1000;

bool IsDeviceListChange(WPARAM event) {
    return event == DBT_DEVNODES_CHANGED || event == DBT_DEVICEARRIVAL ||
           event == DBT_DEVICEREMOVECOMPLETE;
}

bool IsResume(WPARAM event) {
    return event == PBT_APMRESUMEAUTOMATIC || event == PBT_APMRESUMESUSPEND;
}
} // namespace

CMidiInWindowMessages::CMidiInWindowMessages(UINT checkMessage) : m_checkMessage(checkMessage) {}

void CMidiInWindowMessages::Attach(HWND window, CMidiInConnections& connection) {
    m_window = window;
    m_connection = &connection;
    // Without it the classic sleep is still heard; Modern Standby is not.
    m_suspendResume.Register(window);
}

void CMidiInWindowMessages::Detach() {
    m_suspendResume.Unregister();
    if (m_window != nullptr) {
        ::KillTimer(m_window, kRetryTimer);
    }
    m_connection = nullptr;
    m_window = nullptr;
}

bool CMidiInWindowMessages::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (m_connection == nullptr) {
        return false;
    }
    switch (message) {
    case MM_MIM_DATA:
        m_connection->OnShortMessage(static_cast<std::uint32_t>(wParam),
                                     static_cast<std::uint32_t>(lParam));
        return false;
    case MM_MIM_CLOSE:
        m_connection->OnPortClosed(static_cast<std::uintptr_t>(wParam));
        return false;
    case WM_DEVICECHANGE:
        if (IsDeviceListChange(wParam)) {
            m_connection->OnDevicesChanged();
        }
        *result = TRUE;
        return true;
    case WM_POWERBROADCAST:
        if (IsResume(wParam)) {
            m_connection->OnResumed();
        }
        *result = TRUE;
        return true;
    case WM_TIMER:
        if (wParam != kRetryTimer) {
            return false;
        }
        // One shot: it is started again only when a later check asks.
        ::KillTimer(m_window, kRetryTimer);
        m_connection->RunCheck();
        *result = 0;
        return true;
    default:
        if (message != m_checkMessage) {
            return false;
        }
        m_connection->RunCheck();
        *result = 0;
        return true;
    }
}

// Without a window both would go to the thread instead, where nobody
// answers them.
bool CMidiInWindowMessages::PostCheck() {
    return m_window != nullptr && ::PostMessageA(m_window, m_checkMessage, 0, 0) != FALSE;
}

bool CMidiInWindowMessages::StartRetryDelay() {
    return m_window != nullptr && ::SetTimer(m_window, kRetryTimer, kRetryDelayMs, nullptr) != 0;
}
