#include "ApplicationLaunch.h"

#include "StringUtil.h"

#include <objbase.h>
#include <shellapi.h>

#include <algorithm>

namespace {
// How long a started program may take to show its window before a note
// starts it again.
constexpr ULONGLONG kStartingMilliseconds = 10000;
// How long the end of the program waits for starts under way: enough for an
// ordinary start to finish, short enough not to hold the end up when the
// shell waits for the user.
constexpr DWORD kEndWaitMilliseconds = 1000;
constexpr UINT kStartEndedMessage = WM_APP + 1;
const char kWindowClass[] = "SorbelquintaroLaunches";

std::string FolderOf(const std::string& path) {
    const char* name = PathFindFileNamePart(path.c_str());
    return path.substr(0, static_cast<size_t>(name - path.c_str()));
}
} // namespace

// One start, shared by the launcher and the thread that asks the shell. The
// thread fills the outcome and then sets `ended`; the window's thread reads
// the outcome only after it saw `ended` set.
struct CApplicationLauncher::Start {
    std::string exePath;
    std::atomic<bool> ended{false};
    Result result = Failed;
    HANDLE process = nullptr;
    ULONGLONG endedTick = 0;
    bool told = false;
    CWorkerThread thread;

    explicit Start(std::string path) : exePath(std::move(path)) {}
    ~Start() {
        if (process != nullptr) {
            CloseHandle(process);
        }
    }

    void Run();
    bool IsComingUp() const {
        return !ended.load(std::memory_order_acquire) ||
               (result == Started && process != nullptr &&
                GetTickCount64() - endedTick < kStartingMilliseconds &&
                WaitForSingleObject(process, 0) == WAIT_TIMEOUT);
    }
};

void CApplicationLauncher::Start::Run() {
    // The shell may hand the start to extensions that need COM on this thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::string folder = FolderOf(exePath);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    // No error box of the shell: a failure is told in a balloon instead. The
    // shell must finish here, as this thread ends right after.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpVerb = "open";
    info.lpFile = exePath.c_str();
    info.lpDirectory = folder.empty() ? nullptr : folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (ShellExecuteExA(&info)) {
        result = Started;
        process = info.hProcess;
    } else {
        result = GetLastError() == ERROR_CANCELLED ? Cancelled : Failed;
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    endedTick = GetTickCount64();
    ended.store(true, std::memory_order_release);
}

CApplicationLauncher::CApplicationLauncher(Outcome outcome) : m_outcome(std::move(outcome)) {}

CApplicationLauncher::~CApplicationLauncher() {
    Stop();
}

void CApplicationLauncher::Stop() {
    m_stopped = true;
    const ULONGLONG deadline = GetTickCount64() + kEndWaitMilliseconds;
    for (const std::shared_ptr<Start>& start : m_starts) {
        const ULONGLONG now = GetTickCount64();
        // A thread that does not end in time keeps its start alive itself.
        start->thread.Wait(now < deadline ? static_cast<DWORD>(deadline - now) : 0);
    }
    m_starts.clear();
    m_window.Destroy();
}

bool CApplicationLauncher::HasWindow() {
    return m_window.Handle() != nullptr ||
           m_window.Create(kWindowClass, [this](UINT message, WPARAM, LPARAM) {
               if (message != kStartEndedMessage) {
                   return false;
               }
               TakeEndedStarts();
               return true;
           });
}

bool CApplicationLauncher::IsStarting(const std::string& exePath) const {
    return std::any_of(m_starts.begin(), m_starts.end(), [&](const std::shared_ptr<Start>& start) {
        return MbsICmp(start->exePath.c_str(), exePath.c_str()) == 0 && start->IsComingUp();
    });
}

void CApplicationLauncher::TakeEndedStarts() {
    std::vector<std::shared_ptr<Start>> ended;
    for (const std::shared_ptr<Start>& start : m_starts) {
        if (!start->told && start->ended.load(std::memory_order_acquire)) {
            start->told = true;
            ended.push_back(start);
        }
    }
    m_starts.erase(std::remove_if(m_starts.begin(), m_starts.end(),
                                  [](const std::shared_ptr<Start>& start) {
                                      return start->told && !start->IsComingUp();
                                  }),
                   m_starts.end());
    for (const std::shared_ptr<Start>& start : ended) {
        m_outcome(start->exePath, start->result);
    }
}

bool CApplicationLauncher::Launch(const std::string& exePath) {
    if (m_stopped) {
        return false;
    }
    TakeEndedStarts();
    if (IsStarting(exePath)) {
        return false;
    }
    auto start = std::make_shared<Start>(exePath);
    m_starts.push_back(start);
    const HWND window = HasWindow() ? m_window.Handle() : nullptr;
    const bool onThread = window != nullptr && start->thread.Start([start, window] {
        start->Run();
        // A launcher that is gone has destroyed its window: nothing to tell.
        PostMessageA(window, kStartEndedMessage, 0, 0);
    });
    if (!onThread) {
        // Without a thread or a window to hear back from it, as before: on
        // this thread, which waits for the shell.
        start->Run();
        TakeEndedStarts();
    }
    return true;
}
