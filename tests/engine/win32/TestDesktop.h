#pragma once
#include <windows.h>

#include <functional>
#include <string>

// Pumps this thread's messages until done() holds or timeoutMs has passed.
// Returns done()'s last answer.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// The full path of this test executable and of the window helper beside it.
std::string OwnExecutablePath();
std::string WindowAppPath();

// ASCII letters with their case swapped: the same path to the file system.
std::string SwapLetterCase(std::string s);

// A visible top-level window of this process that records nothing.
class CTestWindow {
public:
    explicit CTestWindow(const char* title, WNDPROC procedure = nullptr);
    ~CTestWindow();
    CTestWindow(const CTestWindow&) = delete;
    CTestWindow& operator=(const CTestWindow&) = delete;

    HWND Get() const { return m_window; }
    // Makes the window the foreground window with the keyboard focus.
    bool TakeFocus();

private:
    HWND m_window;
};

// A run of the window helper, ended when the object goes.
class CWindowAppProcess {
public:
    CWindowAppProcess(const char* mode, const std::string& title);
    ~CWindowAppProcess();
    CWindowAppProcess(const CWindowAppProcess&) = delete;
    CWindowAppProcess& operator=(const CWindowAppProcess&) = delete;

    bool IsRunning() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    // The helper's top-level window with this title, once it exists.
    HWND WaitForWindow(const std::string& title) const;

private:
    PROCESS_INFORMATION m_info = {};
};
