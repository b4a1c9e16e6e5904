#include "TimedStrokes.h"

#include "AnsiCodePage.h"
#include "ChangeTableItem.h"
#include "EngineActions.h"
#include "KeySequence.h"
#include "TypedText.h"

#include <algorithm>

const char* const CTimedStrokes::kDroppedText =
    "キー操作の順番待ちがいっぱいのため、一部の入力を取り消しました。";

CTimedStrokes::CTimedStrokes(IEngineActions& actions, const CHeldKeys& programHeld)
    : m_actions(actions), m_programHeld(programHeld) {}

PacedJob PacedJobOf(const CChangeTableItem& rule) {
    PacedJob job;
    job.gapMs = rule.StrokeGap;
    PacedStep step;
    if (rule.OutputKind == CChangeTableItem::KeySequence) {
        for (const KeySequenceItem& item : ParseKeySequence(rule.GetKeySequence())) {
            if (item.kind == KeySequenceItem::Stroke) {
                step.kind = PacedStep::Stroke;
                step.target = KeyTarget(item.keyCode);
                step.keyFlag = item.keyFlag;
            } else if (item.kind == KeySequenceItem::Wait) {
                step.kind = PacedStep::Wait;
                step.waitMs = item.waitMs;
            } else {
                continue;
            }
            job.steps.push_back(step);
        }
    } else if (rule.OutputKind == CChangeTableItem::TypeText) {
        const std::vector<TypedKey> keys = TypedKeysOf(AnsiToUtf16(rule.GetText()));
        job.steps.reserve(keys.size());
        for (const TypedKey& key : keys) {
            step.kind = PacedStep::Stroke;
            step.target = key.kind == TypedKey::Key ? KeyTarget(key.virtualKey)
                                                    : CharacterTarget(key.character);
            job.steps.push_back(step);
        }
    }
    return job;
}

void CTimedStrokes::Play(const CChangeTableItem& rule) {
    PacedJob job = PacedJobOf(rule);
    if (job.steps.empty()) {
        return;
    }
    const std::uint64_t now = m_actions.NowMs();
    if (m_queue.Add(std::move(job), now) == CStrokeQueue::Dropped && m_queue.TakeDropNotice()) {
        m_actions.TellUser(kDroppedText);
    }
    Run(now);
}

void CTimedStrokes::StartRepeat(const CChangeTableItem& rule, std::uint8_t device,
                                std::uint8_t inputKind, std::uint8_t channel, std::uint8_t number) {
    int delaySetting = 0;
    int speedSetting = 0;
    m_actions.KeyboardRepeatSettings(delaySetting, speedSetting);
    const std::uint64_t now = m_actions.NowMs();
    if (!m_repeats.Start(rule, device, inputKind, channel, number, now,
                         KeyboardRepeatDelayMs(delaySetting),
                         KeyboardRepeatIntervalMs(speedSetting))) {
        return;
    }
    m_actions.Strike(KeyTarget(rule.KeyCode), rule.KeyFlag, 1, m_programHeld);
    Run(now);
}

void CTimedStrokes::OnTimer() {
    m_timerSet = false;
    Run(m_actions.NowMs());
}

void CTimedStrokes::Run(std::uint64_t nowMs) {
    const int queueDelay = m_queue.Run(nowMs, [this](const PacedStep& stroke) {
        m_actions.Strike(stroke.target, stroke.keyFlag, 1, m_programHeld);
    });
    const int repeatDelay =
        m_repeats.Run(nowMs, [this](const StrokeTarget& target, std::uint8_t keyFlag) {
            m_actions.Strike(target, keyFlag, 1, m_programHeld);
        });
    int delay = queueDelay;
    if (repeatDelay >= 0 && (delay < 0 || repeatDelay < delay)) {
        delay = repeatDelay;
    }
    if (delay >= 0 || m_timerSet) {
        m_actions.SetStrokeTimer(delay);
        m_timerSet = delay >= 0;
    }
}

void CTimedStrokes::DropAll() {
    m_queue.Clear();
    m_repeats.ReleaseAll();
    if (m_timerSet) {
        m_actions.SetStrokeTimer(-1);
        m_timerSet = false;
    }
}
