#include "ElevatedTargetCheck.h"

#include <utility>

namespace {
// The level of an ordinary program of a signed-in user, assumed for
// ourselves when our own token cannot be read.
constexpr std::uint32_t kMediumIntegrity = 0x2000;
} // namespace

const char* const CElevatedTargetCheck::kText =
    "管理者として実行中のウィンドウには、キー入力が届きません。"
    "このプログラムも管理者として起動すると届くようになります。";

CElevatedTargetCheck::CElevatedTargetCheck(IProcessIntegrity& integrity, UserNotice notice)
    : m_integrity(integrity), m_notice(std::move(notice)) {}

void CElevatedTargetCheck::BeforeStroke() {
    const std::uint32_t processId = m_integrity.ForegroundProcessId();
    if (processId == 0 || processId == m_lastProcessId) {
        return;
    }
    m_lastProcessId = processId;
    if (IsAboveUs(processId) && m_told.insert(processId).second && m_notice) {
        m_notice(kText, true);
    }
}

bool CElevatedTargetCheck::FrontWindowIsAboveUs() {
    const std::uint32_t processId = m_integrity.ForegroundProcessId();
    return processId != 0 && IsAboveUs(processId);
}

bool CElevatedTargetCheck::IsAboveUs(std::uint32_t processId) {
    const IntegrityQuery target = m_integrity.QueryProcess(processId);
    switch (target.status) {
    case IntegrityQuery::AccessDenied:
        // A token we may not even read belongs to a process above us.
        return true;
    case IntegrityQuery::Failed:
        return false;
    case IntegrityQuery::Read:
        break;
    }
    if (!m_ownLevelKnown) {
        const IntegrityQuery own = m_integrity.QueryOwnProcess();
        m_ownLevel = own.status == IntegrityQuery::Read ? own.level : kMediumIntegrity;
        m_ownLevelKnown = true;
    }
    return target.level > m_ownLevel;
}
