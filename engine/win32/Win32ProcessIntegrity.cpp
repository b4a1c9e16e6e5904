#include "Win32ProcessIntegrity.h"

#include "ForegroundApplication.h"
#include "ScopedHandle.h"

#include <windows.h>

#include <vector>

namespace {

IntegrityQuery Failure() {
    IntegrityQuery query;
    query.status = GetLastError() == ERROR_ACCESS_DENIED ? IntegrityQuery::AccessDenied
                                                         : IntegrityQuery::Failed;
    return query;
}

IntegrityQuery QueryToken(HANDLE process) {
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &rawToken)) {
        return Failure();
    }
    CScopedHandle token(rawToken);
    DWORD size = 0;
    GetTokenInformation(token.Get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size == 0) {
        return Failure();
    }
    std::vector<unsigned char> buffer(size);
    if (!GetTokenInformation(token.Get(), TokenIntegrityLevel, buffer.data(), size, &size)) {
        return Failure();
    }
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data());
    const PSID sid = label->Label.Sid;
    const UCHAR count = *GetSidSubAuthorityCount(sid);
    if (count == 0) {
        return IntegrityQuery{};
    }
    IntegrityQuery query;
    query.status = IntegrityQuery::Read;
    query.level = *GetSidSubAuthority(sid, count - 1u);
    return query;
}

} // namespace

std::uint32_t CWin32ProcessIntegrity::ForegroundProcessId() {
    // The program the window stands for, as activation and the rules for
    // one application see it (a Store app's own process, not its frame's).
    return ProcessOfWindow(GetForegroundWindow());
}

IntegrityQuery CWin32ProcessIntegrity::QueryProcess(std::uint32_t processId) {
    // The limited right is granted even on elevated processes; their token
    // is what a program below them may not open.
    CScopedHandle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process.IsValid()) {
        return Failure();
    }
    return QueryToken(process.Get());
}

IntegrityQuery CWin32ProcessIntegrity::QueryOwnProcess() {
    return QueryToken(GetCurrentProcess());
}
