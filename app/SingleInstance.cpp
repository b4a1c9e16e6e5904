#include "SingleInstance.h"

namespace {

// 0 when it cannot be had: then there is nothing to ask with.
UINT SingleInstanceMessage() {
    static const UINT message = ::RegisterWindowMessageA("Sorbelquintaro.ShowSettings");
    return message;
}

// The message and its words, known to both copies.
enum : WPARAM { kAsk = 1, kShow = 2 };
constexpr LRESULT kAnswer = 0x5351;

// "Local\": the session's namespace, so that each signed-in user has a copy.
constexpr char kMutexName[] = "Local\\Sorbelquintaro.Running";
// A window that does not answer this quickly is hung or not ours.
constexpr UINT kAnswerTimeoutMs = 500;
constexpr DWORD kPollMs = 100;

BOOL CALLBACK AskWindow(HWND window, LPARAM found) {
    DWORD_PTR answer = 0;
    if (::SendMessageTimeoutA(window, SingleInstanceMessage(), kAsk, 0,
                              SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerTimeoutMs, &answer) != 0 &&
        answer == static_cast<DWORD_PTR>(kAnswer)) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindFirstCopysWindow() {
    HWND found = nullptr;
    ::EnumWindows(AskWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

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
    if (SingleInstanceMessage() == 0) {
        return false;
    }
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (const HWND window = FindFirstCopysWindow()) {
            // The user just started us, so we may bring a window to the
            // front; the first copy may do so only when we allow it.
            DWORD processId = 0;
            if (::GetWindowThreadProcessId(window, &processId) != 0) {
                ::AllowSetForegroundWindow(processId);
            }
            return ::PostMessageA(window, SingleInstanceMessage(), kShow, 0) != FALSE;
        }
        // The first copy may still be starting: its window comes soon.
        if (::GetTickCount() - start >= timeoutMs) {
            return false;
        }
        ::Sleep(kPollMs);
    }
}

bool OnSingleInstanceMessage(UINT message, WPARAM wParam, LRESULT* result,
                             const std::function<void()>& showSettings) {
    if (message == 0 || message != SingleInstanceMessage()) {
        return false;
    }
    if (wParam == kShow) {
        showSettings();
    }
    *result = kAnswer;
    return true;
}
