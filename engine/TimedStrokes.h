#pragma once
#include "KeyRepeats.h"
#include "StrokeQueue.h"

#include <cstdint>

class CChangeTableItem;
class CHeldKeys;
class IEngineActions;

// The strokes that go out over time: sequences and texts from their queue,
// and the repeats of held keys. One platform timer serves both; it is set
// only while something is due.
class CTimedStrokes {
public:
    CTimedStrokes(IEngineActions& actions, const CHeldKeys& programHeld);

    // Queues the rule's sequence or text; its first stroke goes out at once
    // when nothing else plays.
    void Play(const CChangeTableItem& rule);
    // Strikes the rule's key now and then again at the keyboard's repeat
    // delay and rate, until the input is released.
    void StartRepeat(const CChangeTableItem& rule, std::uint8_t device, std::uint8_t inputKind,
                     std::uint8_t channel, std::uint8_t number);
    CKeyRepeats& Repeats() { return m_repeats; }

    // The platform's timer came.
    void OnTimer();
    // Forgets what is queued and stops every repeat.
    void DropAll();

    static const char* const kDroppedText;

private:
    void Run(std::uint64_t nowMs);

    IEngineActions& m_actions;
    const CHeldKeys& m_programHeld;
    CStrokeQueue m_queue;
    CKeyRepeats m_repeats;
    bool m_timerSet = false;
};

// The strokes of a sequence or text rule (the unreadable items of a
// sequence are left out); empty for other rules.
PacedJob PacedJobOf(const CChangeTableItem& rule);
