#pragma once
#include "KeyStroke.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

// One step of a paced job: a stroke (a key with modifiers, or a character)
// or a pause.
struct PacedStep {
    enum Kind : std::uint8_t { Stroke, Wait };
    Kind kind = Stroke;
    StrokeTarget target;
    std::uint8_t keyFlag = 0;
    int waitMs = 0;
};

// The strokes of one sequence or text rule, with the gap between them.
struct PacedJob {
    std::vector<PacedStep> steps;
    int gapMs = 10;
};

// Sequences and texts going out one stroke at a time. A job plays its
// strokes with its gap between them; a wait takes the place of the gap
// before the next stroke. A job triggered while another plays waits behind
// it, up to kMaxWaiting; more are dropped. The clock is the caller's, so
// the pace is decided here and only the timer lives on the platform.
class CStrokeQueue {
public:
    static constexpr int kMaxWaiting = 16;

    enum AddResult { Added, Dropped };
    AddResult Add(PacedJob job, std::uint64_t nowMs);

    using Send = std::function<void(const PacedStep& stroke)>;
    // Sends the stroke that is due at nowMs, if any (at most one: a timer
    // that comes late does not make up for it with strokes close together,
    // which some programs garble). Returns the milliseconds until the next
    // stroke is due, or -1 when nothing is left.
    int Run(std::uint64_t nowMs, const Send& send);

    // Forgets every job, the playing one too.
    void Clear();
    bool IsEmpty() const { return m_jobs.empty(); }
    int WaitingCount() const { return m_jobs.empty() ? 0 : static_cast<int>(m_jobs.size()) - 1; }

    // True once for the first job dropped since the queue was last empty.
    bool TakeDropNotice();

private:
    // Skips the waits at m_next, each pushing the next stroke back.
    void PassWaits(std::uint64_t fromMs);
    int NextDelay(std::uint64_t nowMs) const;

    std::deque<PacedJob> m_jobs;
    std::size_t m_next = 0;
    std::uint64_t m_dueMs = 0;
    bool m_dropped = false;
    bool m_dropTold = false;
};
