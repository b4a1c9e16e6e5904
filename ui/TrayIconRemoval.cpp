#include "TrayIconRemoval.h"

namespace {
// Longer than the shell's own waits; a removal still hanging after that is
// left to the end of the process.
constexpr DWORD kRemovalWaitMs = 5000;
} // namespace

void CTrayIconRemoval::Begin(const NOTIFYICONDATAA& icon) {
    if (m_begun) {
        return;
    }
    m_begun = true;
    NOTIFYICONDATAA copy = icon; // the thread's own
    if (!m_thread.Start([copy]() mutable { ::Shell_NotifyIconA(NIM_DELETE, &copy); })) {
        ::Shell_NotifyIconA(NIM_DELETE, &copy);
    }
}

void CTrayIconRemoval::Complete(const NOTIFYICONDATAA& icon) {
    if (!m_begun) {
        Begin(icon);
    }
    m_thread.Wait(kRemovalWaitMs);
}
