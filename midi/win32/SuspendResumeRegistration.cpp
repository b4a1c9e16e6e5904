#include "SuspendResumeRegistration.h"

namespace {

using RegisterFunction = HANDLE(WINAPI*)(HANDLE recipient, DWORD flags);
using UnregisterFunction = BOOL(WINAPI*)(HANDLE registration);

// Windows 8 and later; bound by name so that the program starts without.
template <typename Function> Function FromUser32(const char* name) {
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    if (user32 == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(user32, name)));
}

// The recipient is a window handle (DEVICE_NOTIFY_WINDOW_HANDLE).
constexpr DWORD kWindowRecipient = 0;

} // namespace

CSuspendResumeRegistration::~CSuspendResumeRegistration() {
    Unregister();
}

bool CSuspendResumeRegistration::Register(HWND window) {
    Unregister();
    static const auto registerFor =
        FromUser32<RegisterFunction>("RegisterSuspendResumeNotification");
    if (registerFor == nullptr || window == nullptr) {
        return false;
    }
    m_registration = registerFor(window, kWindowRecipient);
    return m_registration != nullptr;
}

void CSuspendResumeRegistration::Unregister() {
    if (m_registration == nullptr) {
        return;
    }
    static const auto unregister =
        FromUser32<UnregisterFunction>("UnregisterSuspendResumeNotification");
    // Nothing more can be done when it fails: the registration ends with
    // the process anyway.
    if (unregister != nullptr) {
        unregister(m_registration);
    }
    m_registration = nullptr;
}
