#include "StrokeQueue.h"

#include <utility>

CStrokeQueue::AddResult CStrokeQueue::Add(PacedJob job, std::uint64_t nowMs) {
    if (WaitingCount() >= kMaxWaiting) {
        m_dropped = true;
        return Dropped;
    }
    const bool first = m_jobs.empty();
    m_jobs.push_back(std::move(job));
    if (first) {
        m_next = 0;
        m_dueMs = nowMs;
        PassWaits(nowMs);
    }
    return Added;
}

void CStrokeQueue::PassWaits(std::uint64_t fromMs) {
    int waited = 0;
    const std::vector<PacedStep>& steps = m_jobs.front().steps;
    while (m_next < steps.size() && steps[m_next].kind == PacedStep::Wait) {
        waited += steps[m_next].waitMs > 0 ? steps[m_next].waitMs : 0;
        ++m_next;
    }
    if (waited > 0) {
        m_dueMs = fromMs + static_cast<std::uint64_t>(waited);
    }
}

int CStrokeQueue::NextDelay(std::uint64_t nowMs) const {
    if (m_jobs.empty()) {
        return -1;
    }
    return m_dueMs > nowMs ? static_cast<int>(m_dueMs - nowMs) : 0;
}

int CStrokeQueue::Run(std::uint64_t nowMs, const Send& send) {
    while (!m_jobs.empty() && nowMs >= m_dueMs) {
        PacedJob& job = m_jobs.front();
        if (m_next >= job.steps.size()) {
            // Finished: the next job starts now, the gap (or the trailing
            // wait) after the last stroke has passed.
            m_jobs.pop_front();
            m_next = 0;
            if (!m_jobs.empty()) {
                PassWaits(nowMs);
            }
            continue;
        }
        const PacedStep stroke = job.steps[m_next++];
        const int gap = job.gapMs > 0 ? job.gapMs : 0;
        m_dueMs = nowMs + static_cast<std::uint64_t>(gap);
        PassWaits(nowMs);
        // Sent once the queue is up to date, so that whatever sending does
        // finds it consistent.
        send(stroke);
        break;
    }
    if (m_jobs.empty()) {
        m_dropTold = m_dropped = false;
    }
    return NextDelay(nowMs);
}

void CStrokeQueue::Clear() {
    m_jobs.clear();
    m_next = 0;
    m_dropped = m_dropTold = false;
}

bool CStrokeQueue::TakeDropNotice() {
    if (!m_dropped || m_dropTold) {
        return false;
    }
    m_dropTold = true;
    return true;
}
