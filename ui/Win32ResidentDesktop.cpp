#include "Win32ResidentDesktop.h"

#include "MessageBox.h"
#include "WinApp.h"

#include <utility>

namespace {
// The MIDI-IN connection's own posted check.
constexpr UINT kMidiInCheckMessage = WM_APP + 16;
// On the settings window, which takes its timers in the loop of a rule
// editor or a box too.
constexpr UINT_PTR kSaveRetryTimer = 20;
} // namespace

CWin32ResidentDesktop::CWin32ResidentDesktop()
    : m_trayIcon(kTrayNotifyMessage), m_midiInMessages(kMidiInCheckMessage) {
    m_actions.SetUserNotice(
        [this](const std::string& text, bool warning) { m_trayIcon.ShowBalloon(text, warning); });
    m_actions.SetEnabledChangeHandler([this](bool enabled) {
        m_trayIcon.ShowEnabled(enabled);
        m_notice.OnEnabledChanged(enabled);
    });
}

bool CWin32ResidentDesktop::OnMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT* result) {
    // The port's data goes on to default processing after the connection.
    if (m_midiInMessages.OnMessage(message, wParam, lParam, result)) {
        return true;
    }
    if (m_trayIcon.OnMessage(message, wParam) || m_actions.Releases().OnMessage(message, wParam) ||
        (message == WM_TIMER && wParam == kSaveRetryTimer && OnSaveRetryTimer())) {
        *result = 0;
        return true;
    }
    return false;
}

void CWin32ResidentDesktop::AttachWindow(HWND window, std::function<void()> showSettings) {
    m_window = window;
    m_showSettings = std::move(showSettings);
}

void CWin32ResidentDesktop::AddTrayIcon(const std::string& tip) {
    m_trayIcon.Add(m_window, tip);
}

void CWin32ResidentDesktop::ShowBalloon(const std::string& text, bool warning) {
    m_trayIcon.ShowBalloon(text, warning);
}

bool CWin32ResidentDesktop::ScheduleSaveRetry(unsigned delayMs, std::function<void()> retry) {
    m_saveRetry = std::move(retry);
    if (m_window == nullptr || ::SetTimer(m_window, kSaveRetryTimer, delayMs, nullptr) == 0) {
        m_saveRetry = nullptr;
        return false;
    }
    return true;
}

void CWin32ResidentDesktop::CancelSaveRetry() {
    if (m_saveRetry) {
        m_saveRetry = nullptr;
        ::KillTimer(m_window, kSaveRetryTimer);
    }
}

bool CWin32ResidentDesktop::OnSaveRetryTimer() {
    // One shot; the retry may ask for the next one.
    ::KillTimer(m_window, kSaveRetryTimer);
    const std::function<void()> retry = std::move(m_saveRetry);
    m_saveRetry = nullptr;
    if (retry) {
        retry();
    }
    return true;
}

void CWin32ResidentDesktop::ShowLayerNotice(const std::string& layerName) {
    m_notice.OnLayerChanged(layerName);
}

void CWin32ResidentDesktop::StartNotices(CMidiInConnections& connection) {
    m_actions.Releases().Attach(m_window);
    m_midiInMessages.Attach(m_window, connection);
    // Without it a later copy finds no first one and ends after its wait.
    m_firstCopy.Create(m_showSettings);
}

void CWin32ResidentDesktop::StopNotices() {
    m_actions.Releases().Detach();
    m_midiInMessages.Detach();
    m_firstCopy.Destroy();
}

void CWin32ResidentDesktop::ShowEndBox(const std::string& text) {
    // The settings window is gone; the box belongs to the hidden host.
    ShowMessageBoxOwnedBy(GetMainWindow(), text);
}
