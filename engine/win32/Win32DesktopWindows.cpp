#include "Win32DesktopWindows.h"

#include "KeyInjection.h"
#include "KeyStroke.h"

#include <dwmapi.h>
#include <objbase.h>

#include <cstring>

// The shell's IVirtualDesktopManager (shobjidl_core.h, Windows 10 and later),
// declared here as the headers offer it only to programs that require
// Windows 10 throughout.
struct IVirtualDesktops : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE IsWindowOnCurrentVirtualDesktop(HWND window,
                                                                      BOOL* onCurrent) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetWindowDesktopId(HWND window, GUID* desktop) = 0;
    virtual HRESULT STDMETHODCALLTYPE MoveWindowToDesktop(HWND window, REFGUID desktop) = 0;
};

namespace {

const CLSID kVirtualDesktopManagerClass = {
    0xaa509086, 0x5ca9, 0x4c25, {0x8f, 0x95, 0x58, 0x9d, 0x3c, 0x07, 0xb4, 0x8a}};
const IID kVirtualDesktopManagerInterface = {
    0xa5cd92ff, 0x29be, 0x454c, {0x8d, 0x04, 0xd8, 0x28, 0x79, 0xfb, 0x3f, 0x1b}};

const char kStoreAppFrameClass[] = "ApplicationFrameWindow";
const wchar_t kCoreWindowClass[] = L"Windows.UI.Core.CoreWindow";

HWND AsHwnd(IDesktopWindows::Window window) {
    return static_cast<HWND>(window);
}

LONG ExStyle(IDesktopWindows::Window window) {
    return GetWindowLongA(AsHwnd(window), GWL_EXSTYLE);
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<IDesktopWindows::Window>*>(windows)->push_back(window);
    return TRUE;
}

} // namespace

CWin32DesktopWindows::~CWin32DesktopWindows() {
    if (m_desktops != nullptr) {
        m_desktops->Release();
    }
    if (m_comInitialised) {
        CoUninitialize();
    }
}

std::vector<IDesktopWindows::Window> CWin32DesktopWindows::TopLevelWindows() {
    std::vector<Window> windows;
    EnumWindows(&CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

bool CWin32DesktopWindows::IsVisible(Window window) {
    return (GetWindowLongA(AsHwnd(window), GWL_STYLE) & WS_VISIBLE) != 0;
}

bool CWin32DesktopWindows::IsCloaked(Window window) {
    // Without the compositor (Wine answers E_NOTIMPL) nothing is cloaked.
    DWORD cloaked = 0;
    return SUCCEEDED(
               DwmGetWindowAttribute(AsHwnd(window), DWMWA_CLOAKED, &cloaked, sizeof cloaked)) &&
           cloaked != 0;
}

bool CWin32DesktopWindows::IsOnCurrentDesktop(Window window) {
    IVirtualDesktops* desktops = VirtualDesktops();
    BOOL onCurrent = TRUE;
    if (desktops == nullptr ||
        FAILED(desktops->IsWindowOnCurrentVirtualDesktop(AsHwnd(window), &onCurrent))) {
        return true;
    }
    return onCurrent != FALSE;
}

IVirtualDesktops* CWin32DesktopWindows::VirtualDesktops() {
    if (m_desktopsBound) {
        return m_desktops;
    }
    m_desktopsBound = true;
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    // S_FALSE: already initialised, counted all the same. A thread already
    // in another apartment can use the service as it is.
    m_comInitialised = SUCCEEDED(initialised);
    if (FAILED(initialised) && initialised != RPC_E_CHANGED_MODE) {
        return nullptr;
    }
    void* desktops = nullptr;
    if (FAILED(CoCreateInstance(kVirtualDesktopManagerClass, nullptr, CLSCTX_INPROC_SERVER,
                                kVirtualDesktopManagerInterface, &desktops))) {
        return nullptr;
    }
    m_desktops = static_cast<IVirtualDesktops*>(desktops);
    return m_desktops;
}

bool CWin32DesktopWindows::IsToolWindow(Window window) {
    return (ExStyle(window) & WS_EX_TOOLWINDOW) != 0;
}

bool CWin32DesktopWindows::IsAppWindow(Window window) {
    return (ExStyle(window) & WS_EX_APPWINDOW) != 0;
}

IDesktopWindows::Window CWin32DesktopWindows::GetOwner(Window window) {
    return GetWindow(AsHwnd(window), GW_OWNER);
}

IDesktopWindows::Window CWin32DesktopWindows::LastActivePopup(Window owner) {
    return GetLastActivePopup(AsHwnd(owner));
}

bool CWin32DesktopWindows::IsShellWindow(Window window) {
    return AsHwnd(window) == GetShellWindow();
}

bool CWin32DesktopWindows::IsIconic(Window window) {
    return ::IsIconic(AsHwnd(window)) != FALSE;
}

IDesktopWindows::Window CWin32DesktopWindows::GetForegroundWindow() {
    return ::GetForegroundWindow();
}

std::uint32_t CWin32DesktopWindows::GetWindowThreadId(Window window) {
    return ::GetWindowThreadProcessId(AsHwnd(window), nullptr);
}

bool CWin32DesktopWindows::IsResponsive(Window window) {
    constexpr UINT kAnswerWithinMs = 100;
    DWORD_PTR ignored = 0;
    return !::IsHungAppWindow(AsHwnd(window)) &&
           ::SendMessageTimeoutA(AsHwnd(window), WM_NULL, 0, 0, SMTO_BLOCK | SMTO_ABORTIFHUNG,
                                 kAnswerWithinMs, &ignored) != 0;
}

std::uint32_t CWin32DesktopWindows::ProcessId(Window window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(AsHwnd(window), &processId);
    return processId;
}

bool CWin32DesktopWindows::IsStoreAppFrame(Window window) {
    char name[sizeof kStoreAppFrameClass + 1] = {};
    const int length = GetClassNameA(AsHwnd(window), name, sizeof name);
    return length == static_cast<int>(sizeof kStoreAppFrameClass - 1) &&
           std::strcmp(name, kStoreAppFrameClass) == 0;
}

std::vector<IDesktopWindows::Window> CWin32DesktopWindows::ChildWindows(Window window) {
    std::vector<Window> children;
    EnumChildWindows(AsHwnd(window), &CollectWindow, reinterpret_cast<LPARAM>(&children));
    return children;
}

IDesktopWindows::Window CWin32DesktopWindows::DetachedCoreWindow(Window frame) {
    // Store app titles need not fit the ANSI code page.
    wchar_t title[256] = {};
    if (GetWindowTextW(AsHwnd(frame), title, 256) <= 0) {
        return nullptr;
    }
    return FindWindowExW(nullptr, nullptr, kCoreWindowClass, title);
}

void CWin32DesktopWindows::RestoreAsync(Window window) {
    // SW_SHOWNORMAL would un-maximise a window minimised from maximised;
    // ShowWindow would wait on a target that does not answer.
    ::ShowWindowAsync(AsHwnd(window), SW_RESTORE);
}

bool CWin32DesktopWindows::SetForegroundWindow(Window window) {
    return ::SetForegroundWindow(AsHwnd(window)) != FALSE;
}

void CWin32DesktopWindows::SetActiveWindow(Window window) {
    ::SetActiveWindow(AsHwnd(window));
}

void CWin32DesktopWindows::SetFocus(Window window) {
    ::SetFocus(AsHwnd(window));
}

bool CWin32DesktopWindows::BringWindowToTop(Window window) {
    return ::BringWindowToTop(AsHwnd(window)) != FALSE;
}

std::uint32_t CWin32DesktopWindows::GetCurrentThreadId() {
    return ::GetCurrentThreadId();
}

bool CWin32DesktopWindows::AttachThreadInput(std::uint32_t thread, std::uint32_t toThread,
                                             bool attach) {
    return ::AttachThreadInput(thread, toThread, attach ? TRUE : FALSE) != FALSE;
}

void CWin32DesktopWindows::TapUnassignedKey() {
    const KeyStrokeEvent tap[] = {{kUnassignedVirtualKey, false, false},
                                  {kUnassignedVirtualKey, true, false}};
    // A refused tap only means that the foreground call after it fails too.
    SendKeyStrokeEvents(tap, 2);
}
