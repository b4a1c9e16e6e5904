#include "EnumerateProcesses.h"

#include "Win32ProcessStatusApi.h"

bool EnumerateProcesses(ProcessVisitor visitor, void* context) {
    CWin32ProcessStatusApi api;
    return WalkProcessStatus(api, visitor, context);
}
