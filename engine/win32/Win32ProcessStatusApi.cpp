#include "Win32ProcessStatusApi.h"

CWin32ProcessStatusApi::CWin32ProcessStatusApi()
    : m_psapi("PSAPI.DLL"), m_vdmdbg("VDMDBG.DLL"), m_kernel32("Kernel32.DLL"),
      m_enumProcesses(m_psapi.Get<EnumProcessesFn>("EnumProcesses")),
      m_enumProcessModules(m_psapi.Get<EnumProcessModulesFn>("EnumProcessModules")),
      m_getModuleFileNameEx(m_psapi.Get<GetModuleFileNameExAFn>("GetModuleFileNameExA")),
      m_vdmEnumTaskWowEx(m_vdmdbg.Get<VdmEnumTaskWowExFn>("VDMEnumTaskWOWEx")),
      m_queryFullProcessImageName(
          m_kernel32.Get<QueryFullProcessImageNameAFn>("QueryFullProcessImageNameA")) {}

bool CWin32ProcessStatusApi::IsUsable() const {
    return m_enumProcesses != nullptr && m_enumProcessModules != nullptr &&
           m_getModuleFileNameEx != nullptr;
}

bool CWin32ProcessStatusApi::EnumProcessIds(std::uint32_t* ids, std::uint32_t bufferBytes,
                                            std::uint32_t* bytesWritten) {
    static_assert(sizeof(DWORD) == sizeof(std::uint32_t), "process ids are 32-bit");
    DWORD written = 0;
    if (!m_enumProcesses(reinterpret_cast<DWORD*>(ids), bufferBytes, &written)) {
        return false;
    }
    *bytesWritten = written;
    return true;
}

bool CWin32ProcessStatusApi::ReadMainModulePath(std::uint32_t processId, char (&path)[kPathSize]) {
    const CScopedHandle process(
        OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process.IsValid()) {
        return false;
    }
    // The first module is the process's executable; one is all we ask for.
    HMODULE module = nullptr;
    DWORD needed = 0;
    if (!m_enumProcessModules(process.Get(), &module, sizeof module, &needed)) {
        return false;
    }
    return m_getModuleFileNameEx(process.Get(), module, path, kPathSize) != 0;
}

bool CWin32ProcessStatusApi::ReadImagePath(std::uint32_t processId, char (&path)[kPathSize]) {
    if (m_queryFullProcessImageName == nullptr) {
        return false;
    }
    const CScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process.IsValid()) {
        return false;
    }
    DWORD size = kPathSize;
    return m_queryFullProcessImageName(process.Get(), 0, path, &size) != 0;
}

bool CWin32ProcessStatusApi::CanWalkWowTasks() const {
    return m_vdmEnumTaskWowEx != nullptr;
}

void CWin32ProcessStatusApi::WalkWowTasks(std::uint32_t processId, WowRelayContext& relay) {
    // Its result tells nothing the relay record does not.
    m_vdmEnumTaskWowEx(processId, &CWin32ProcessStatusApi::RelayTask,
                       reinterpret_cast<LPARAM>(&relay));
}

BOOL WINAPI CWin32ProcessStatusApi::RelayTask(DWORD threadId, WORD module16, WORD task16,
                                              char* moduleName, char* fileName, LPARAM context) {
    return CEnumProcesses::RelayWowTask(threadId, module16, task16, moduleName, fileName,
                                        reinterpret_cast<WowRelayContext*>(context))
               ? TRUE
               : FALSE;
}
