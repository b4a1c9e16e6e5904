#pragma once
#include <windows.h>

#include <string>

class CWnd;

// The application object: exactly one, a global constructed before WinMain.
// WinMain hands over to RunApplication, which initialises the controls
// library and calls InitInstance. A dialog program runs its main dialog
// modally from InitInstance and returns false: the process then ends
// instead of entering Run's message loop.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual bool InitInstance();
    // The thread's message loop until WM_QUIT; only after a true InitInstance.
    virtual int Run();
    // The last call; its result is the process's exit code.
    virtual int ExitInstance();

    // The executable's file name without its extension.
    const std::string& GetAppName() const { return m_appName; }
    HINSTANCE GetInstanceHandle() const { return m_hInstance; }

    // The window a dialog run without a parent is owned by.
    CWnd* m_pMainWnd = nullptr;

private:
    friend int RunApplication(HINSTANCE instance);
    HINSTANCE m_hInstance = nullptr;
    std::string m_appName;
    int m_exitCode = 0;
};

// The application object, or null before it exists.
CWinApp* GetApp();
// The application name; taken from the executable when no application
// object exists (tests).
std::string GetAppName();
HINSTANCE GetAppInstance();
// The main window's handle, or null.
HWND GetMainWindow();

// Body of WinMain: returns the exit code.
int RunApplication(HINSTANCE instance);
