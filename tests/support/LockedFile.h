#pragma once
// A file held open without any sharing, as a virus scanner or a sync client
// holds it for a moment: opening it for writing and replacing it fail with a
// sharing violation until it lets go (support.microsoft.com KB 316609).
#include <windows.h>

#include <string>
#include <thread>

class LockedFile {
public:
    // Held from now until `releaseAfterMs` have passed, Release is called or
    // the object goes.
    LockedFile(const std::string& path, DWORD releaseAfterMs = INFINITE)
        : m_handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr)),
          m_release(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_holder([this, releaseAfterMs] {
              WaitForSingleObject(m_release, releaseAfterMs);
              if (m_handle != INVALID_HANDLE_VALUE) {
                  CloseHandle(m_handle);
              }
          }) {}
    ~LockedFile() { Release(); }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool IsHeld() const { return m_handle != INVALID_HANDLE_VALUE; }
    // Lets go of the file; returns once it is closed.
    void Release() {
        if (m_holder.joinable()) {
            SetEvent(m_release);
            m_holder.join();
            CloseHandle(m_release);
        }
    }

private:
    HANDLE m_handle;
    HANDLE m_release;
    std::thread m_holder;
};
