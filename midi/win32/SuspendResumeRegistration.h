#pragma once
#include <windows.h>

// Asks the system to tell a window of suspend and resume on every kind of
// sleep. A plain window hears WM_POWERBROADCAST only for the classic sleep;
// on a Modern Standby machine it hears of the resume only when registered
// (learn.microsoft.com: RegisterSuspendResumeNotification function). The
// registration ends with this object.
class CSuspendResumeRegistration {
public:
    CSuspendResumeRegistration() = default;
    ~CSuspendResumeRegistration();

    CSuspendResumeRegistration(const CSuspendResumeRegistration&) = delete;
    CSuspendResumeRegistration& operator=(const CSuspendResumeRegistration&) = delete;

    // False where the system lacks it (before Windows 8) or refuses: the
    // window then hears of the classic sleep only.
    bool Register(HWND window);
    void Unregister();

private:
    HANDLE m_registration = nullptr;
};
