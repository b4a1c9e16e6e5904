#pragma once
#include "ProcessIntegrity.h"
#include "UserNotice.h"

#include <cstdint>
#include <set>

// The platform silently drops injected input aimed at a process of a higher
// integrity level (one run as administrator) than ours. Before each stroke
// this looks at the foreground process and tells the user once per such
// process and run. Only the last foreground process is remembered, so the
// usual stroke after stroke into one window costs one foreground query.
class CElevatedTargetCheck {
public:
    CElevatedTargetCheck(IProcessIntegrity& integrity, UserNotice notice);

    void BeforeStroke();
    // Whether our input cannot reach the foreground window now. Asks anew.
    bool FrontWindowIsAboveUs();

    // The balloon text.
    static const char* const kText;

private:
    bool IsAboveUs(std::uint32_t processId);

    IProcessIntegrity& m_integrity;
    UserNotice m_notice;
    std::uint32_t m_lastProcessId = 0;
    bool m_ownLevelKnown = false;
    std::uint32_t m_ownLevel = 0;
    std::set<std::uint32_t> m_told;
};
