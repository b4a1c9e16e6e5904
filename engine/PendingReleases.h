#pragma once
#include "KeyStroke.h"

#include <cstdint>

class IKeyboardState;

// Releases this program sent that are not yet known to have arrived. The
// platform drops injected input aimed at a window above our integrity level
// (one run as administrator) without telling, so a key we let go of can stay
// down for every other window. A release stays pending until its key reads
// up, and is sent again at every chance (another batch, the user coming back
// from that window) while it reads down. Only keys this program pressed and
// then released are ever pending: keys the user holds are none of our
// business.
class CPendingReleases {
public:
    // Every key goes up at most once per batch.
    static constexpr int kMaxResendEvents = 256;
    using ResendEvents = KeyStrokeEvent[kMaxResendEvents];

    // Before a batch goes out: the keys it presses are held anew, so no
    // longer pending; pending keys that read up arrived and are forgotten.
    // Writes the releases to send again for the rest.
    int BeforeBatch(const KeyStrokeEvent* batch, int count, IKeyboardState& keyboard,
                    ResendEvents& resend);
    // After it went out: the keys it released are pending.
    void AfterBatch(const KeyStrokeEvent* batch, int count);
    // At a chance without a batch of our own (the foreground changed, the
    // session was unlocked).
    int Retry(IKeyboardState& keyboard, ResendEvents& resend) {
        return BeforeBatch(nullptr, 0, keyboard, resend);
    }
    // Forgets the pending keys that read up, without sending anything.
    void Confirm(IKeyboardState& keyboard);

    // True once per stuck episode (from a release that may not arrive until
    // no key is pending any more): releases went out while the window in
    // front was one our input cannot reach.
    bool ShouldTell(bool frontWindowAboveUs);

    bool IsEmpty() const { return m_count == 0; }
    bool IsPending(std::uint8_t virtualKey) const { return m_pending[virtualKey]; }

private:
    void Forget(std::uint8_t virtualKey);

    // Per key; the extended flag is kept so that the release is sent again
    // exactly as it went the first time.
    bool m_pending[256] = {};
    bool m_extended[256] = {};
    int m_count = 0;
    bool m_told = false;
};
