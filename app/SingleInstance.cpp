#include "SingleInstance.h"

#include <utility>

namespace {

// "Local\": the session's namespace, so that each signed-in user has a copy.
constexpr char kMutexName[] = "Local\\Sorbelquintaro.Running";
// The class of the first copy's message-only window: a name of our own.
constexpr char kWindowClass[] = "Sorbelquintaro.FirstCopy";
// The request; a private message of that class.
constexpr UINT kShowSettingsMessage = WM_APP + 21;
constexpr DWORD kPollMs = 50;

} // namespace

CSingleInstance::CSingleInstance() {
    m_mutex = ::CreateMutexA(nullptr, FALSE, kMutexName);
    m_first = m_mutex == nullptr || ::GetLastError() != ERROR_ALREADY_EXISTS;
}

CSingleInstance::~CSingleInstance() {
    if (m_mutex != nullptr) {
        ::CloseHandle(m_mutex);
    }
}

bool CSingleInstance::ShowFirst(unsigned timeoutMs) {
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (const HWND window = ::FindWindowExA(HWND_MESSAGE, nullptr, kWindowClass, nullptr)) {
            // The user just started us, so we may bring a window to the
            // front; the first copy may do so only when we allow it.
            DWORD processId = 0;
            if (::GetWindowThreadProcessId(window, &processId) != 0) {
                ::AllowSetForegroundWindow(processId);
            }
            return ::PostMessageA(window, kShowSettingsMessage, 0, 0) != FALSE;
        }
        // The first copy may still be starting: its window comes soon.
        if (::GetTickCount64() >= deadline) {
            return false;
        }
        ::Sleep(kPollMs);
    }
}

bool CFirstCopyWindow::Create(std::function<void()> showSettings) {
    Destroy();
    const bool made = m_window.Create(kWindowClass, [this](UINT message, WPARAM, LPARAM) {
        if (message != kShowSettingsMessage) {
            return false;
        }
        if (m_showSettings) {
            m_showSettings();
        }
        return true;
    });
    if (!made) {
        return false;
    }
    m_showSettings = std::move(showSettings);
    // A copy run as administrator hears nothing posted from below its
    // level unless it lets the message through. A refusal leaves only that
    // case unheard; the later copy then ends after its wait.
    ::ChangeWindowMessageFilterEx(m_window.Handle(), kShowSettingsMessage, MSGFLT_ALLOW, nullptr);
    return true;
}

void CFirstCopyWindow::Destroy() {
    m_window.Destroy();
    m_showSettings = nullptr;
}
