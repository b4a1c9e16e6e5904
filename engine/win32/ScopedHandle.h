#pragma once
#include <windows.h>

// A kernel handle closed when it goes out of scope.
class CScopedHandle {
public:
    explicit CScopedHandle(HANDLE handle) : m_handle(handle) {}
    ~CScopedHandle() {
        if (IsValid()) {
            CloseHandle(m_handle);
        }
    }
    CScopedHandle(const CScopedHandle&) = delete;
    CScopedHandle& operator=(const CScopedHandle&) = delete;

    bool IsValid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};
