#include "WorkerThread.h"

#include <process.h>

#include <memory>

namespace {
// The thread owns its work and deletes it at its end.
unsigned __stdcall RunWork(void* work) {
    const std::unique_ptr<std::function<void()>> owned(static_cast<std::function<void()>*>(work));
    (*owned)();
    return 0;
}
} // namespace

CWorkerThread::~CWorkerThread() {
    if (m_thread != nullptr) {
        CloseHandle(m_thread);
    }
}

bool CWorkerThread::Start(std::function<void()> work) {
    if (m_thread != nullptr) {
        return false;
    }
    auto owned = std::make_unique<std::function<void()>>(std::move(work));
    // The run-time's own thread start, so that the work may use it freely.
    const uintptr_t thread = _beginthreadex(nullptr, 0, &RunWork, owned.get(), 0, nullptr);
    if (thread == 0) {
        return false;
    }
    owned.release();
    m_thread = reinterpret_cast<HANDLE>(thread);
    return true;
}

bool CWorkerThread::Wait(DWORD timeoutMs) {
    return m_thread == nullptr || WaitForSingleObject(m_thread, timeoutMs) == WAIT_OBJECT_0;
}
