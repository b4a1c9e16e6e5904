#include "WinApp.h"

#include "AppName.h"
#include "ModulePath.h"
#include "Wnd.h"

#include <commctrl.h>

namespace {
CWinApp* g_pApp = nullptr;
} // namespace

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

bool CWinApp::InitInstance() { return true; }

int CWinApp::Run() {
    MSG msg = {};
    BOOL got;
    while ((got = ::GetMessageA(&msg, nullptr, 0, 0)) != 0 && got != -1) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_exitCode = got == 0 ? static_cast<int>(msg.wParam) : 1;
    return ExitInstance();
}

int CWinApp::ExitInstance() { return m_exitCode; }

CWinApp* GetApp() { return g_pApp; }

std::string GetAppName() {
    if (g_pApp != nullptr && !g_pApp->GetAppName().empty()) {
        return g_pApp->GetAppName();
    }
    return AppNameFromModulePath(GetModulePath());
}

HINSTANCE GetAppInstance() {
    if (g_pApp != nullptr && g_pApp->GetInstanceHandle() != nullptr) {
        return g_pApp->GetInstanceHandle();
    }
    return ::GetModuleHandleA(nullptr);
}

HWND GetMainWindow() {
    return (g_pApp != nullptr && g_pApp->m_pMainWnd != nullptr) ? g_pApp->m_pMainWnd->m_hWnd
                                                                : nullptr;
}

int RunApplication(HINSTANCE instance) {
    if (g_pApp == nullptr) {
        return 1;
    }
    g_pApp->m_hInstance = instance;
    g_pApp->m_appName = AppNameFromModulePath(GetModulePath());

    // List views and the themed look of the manifest's common controls.
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
    if (!::InitCommonControlsEx(&controls)) {
        ::InitCommonControls();
    }

    if (g_pApp->InitInstance()) {
        return g_pApp->Run();
    }
    return g_pApp->ExitInstance();
}
