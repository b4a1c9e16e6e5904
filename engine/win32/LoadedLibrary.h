#pragma once
#include <windows.h>

// A library loaded for the length of one operation and released after it.
class CLoadedLibrary {
public:
    explicit CLoadedLibrary(const char* name) : m_module(LoadLibraryA(name)) {}
    ~CLoadedLibrary() {
        if (m_module != nullptr) {
            FreeLibrary(m_module);
        }
    }
    CLoadedLibrary(const CLoadedLibrary&) = delete;
    CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;

    // The entry as a typed function pointer; null when the library or the
    // entry is missing.
    template <typename Function> Function Get(const char* entry) const {
        if (m_module == nullptr) {
            return nullptr;
        }
        // Through the generic function pointer type, which may be cast to
        // any other without a warning.
        return reinterpret_cast<Function>(
            reinterpret_cast<void (*)()>(GetProcAddress(m_module, entry)));
    }

private:
    HMODULE m_module;
};

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
