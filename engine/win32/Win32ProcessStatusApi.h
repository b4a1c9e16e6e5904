#pragma once
#include "LoadedLibrary.h"
#include "ProcessStatusWalk.h"

// The NT family's process-status services, bound at run time by library and
// entry name and released when the object goes. The 16-bit task walk and
// the limited-access path query are optional: 64-bit Windows has no 16-bit
// subsystem and need not ship the VDM debugging library.
class CWin32ProcessStatusApi : public IProcessStatusApi {
public:
    CWin32ProcessStatusApi();

    // False when the process-status library or one of its entries is missing.
    bool IsUsable() const;

    bool EnumProcessIds(std::uint32_t* ids, std::uint32_t bufferBytes,
                        std::uint32_t* bytesWritten) override;
    bool ReadMainModulePath(std::uint32_t processId, char (&path)[kPathSize]) override;
    bool ReadImagePath(std::uint32_t processId, char (&path)[kPathSize]) override;
    bool CanWalkWowTasks() const override;
    void WalkWowTasks(std::uint32_t processId, WowRelayContext& relay) override;

private:
    typedef BOOL(WINAPI* EnumProcessesFn)(DWORD* ids, DWORD bytes, DWORD* written);
    typedef BOOL(WINAPI* EnumProcessModulesFn)(HANDLE process, HMODULE* modules, DWORD bytes,
                                               DWORD* needed);
    typedef DWORD(WINAPI* GetModuleFileNameExAFn)(HANDLE process, HMODULE module, LPSTR name,
                                                  DWORD size);
    typedef BOOL(WINAPI* TaskEnumProcEx)(DWORD threadId, WORD module16, WORD task16,
                                         char* moduleName, char* fileName, LPARAM context);
    typedef INT(WINAPI* VdmEnumTaskWowExFn)(DWORD processId, TaskEnumProcEx relay, LPARAM context);
    typedef BOOL(WINAPI* QueryFullProcessImageNameAFn)(HANDLE process, DWORD flags, LPSTR name,
                                                       DWORD* size);

    static BOOL WINAPI RelayTask(DWORD threadId, WORD module16, WORD task16, char* moduleName,
                                 char* fileName, LPARAM context);

    CLoadedLibrary m_psapi;
    CLoadedLibrary m_vdmdbg;
    CLoadedLibrary m_kernel32;
    EnumProcessesFn m_enumProcesses;
    EnumProcessModulesFn m_enumProcessModules;
    GetModuleFileNameExAFn m_getModuleFileNameEx;
    VdmEnumTaskWowExFn m_vdmEnumTaskWowEx;
    QueryFullProcessImageNameAFn m_queryFullProcessImageName;
};
