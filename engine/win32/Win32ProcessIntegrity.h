#pragma once
#include "ProcessIntegrity.h"

// Integrity levels read from the process tokens of the Windows desktop.
class CWin32ProcessIntegrity : public IProcessIntegrity {
public:
    std::uint32_t ForegroundProcessId() override;
    IntegrityQuery QueryProcess(std::uint32_t processId) override;
    IntegrityQuery QueryOwnProcess() override;
};
