#include "PendingReleases.h"

#include "KeyboardState.h"

void CPendingReleases::Forget(std::uint8_t virtualKey) {
    if (!m_pending[virtualKey]) {
        return;
    }
    m_pending[virtualKey] = false;
    if (--m_count == 0) {
        m_told = false; // the episode is over
    }
}

int CPendingReleases::BeforeBatch(const KeyStrokeEvent* batch, int count, IKeyboardState& keyboard,
                                  ResendEvents& resend) {
    for (int i = 0; i < count; ++i) {
        if (!batch[i].keyUp && batch[i].device == InputDevice::Keyboard) {
            Forget(batch[i].virtualKey);
        }
    }
    int resendCount = 0;
    for (int vk = 0; vk < 256 && m_count != 0; ++vk) {
        const auto key = static_cast<std::uint8_t>(vk);
        if (!m_pending[key]) {
            continue;
        }
        if (!keyboard.IsDown(key)) {
            Forget(key);
            continue;
        }
        resend[resendCount++] = KeyStrokeEvent{key, true, m_extended[key]};
    }
    return resendCount;
}

void CPendingReleases::AfterBatch(const KeyStrokeEvent* batch, int count) {
    for (int i = 0; i < count; ++i) {
        // Mouse buttons share their codes with keys but are read and sent
        // as buttons; only keys are confirmed here.
        if (batch[i].device != InputDevice::Keyboard) {
            continue;
        }
        const std::uint8_t key = batch[i].virtualKey;
        if (!batch[i].keyUp) {
            // A stroke's own press is followed by its release in the batch.
            Forget(key);
            continue;
        }
        if (!m_pending[key]) {
            m_pending[key] = true;
            ++m_count;
        }
        m_extended[key] = batch[i].extended;
    }
}

void CPendingReleases::Confirm(IKeyboardState& keyboard) {
    for (int vk = 0; vk < 256 && m_count != 0; ++vk) {
        const auto key = static_cast<std::uint8_t>(vk);
        if (m_pending[key] && !keyboard.IsDown(key)) {
            Forget(key);
        }
    }
}

bool CPendingReleases::ShouldTell(bool frontWindowAboveUs) {
    if (!frontWindowAboveUs || m_count == 0 || m_told) {
        return false;
    }
    m_told = true;
    return true;
}
