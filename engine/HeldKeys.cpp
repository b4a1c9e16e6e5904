#include "HeldKeys.h"

int CHeldKeys::Press(const StrokeTarget& target, std::uint8_t keyFlag,
                     KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]) {
    KeyStrokeEvent stroke[kMaxKeyStrokeEvents];
    const int strokeCount = BuildStroke(target, keyFlag, stroke);
    int count = 0;
    for (int i = 0; i < strokeCount && !stroke[i].keyUp; ++i) {
        if (m_count[stroke[i].virtualKey]++ == 0) {
            events[count++] = stroke[i];
        }
    }
    return count;
}

int CHeldKeys::Release(const StrokeTarget& target, std::uint8_t keyFlag,
                       KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]) {
    KeyStrokeEvent stroke[kMaxKeyStrokeEvents];
    const int strokeCount = BuildStroke(target, keyFlag, stroke);
    int count = 0;
    for (int i = 0; i < strokeCount; ++i) {
        std::uint16_t& held = m_count[stroke[i].virtualKey];
        if (!stroke[i].keyUp || held == 0) {
            continue;
        }
        if (--held == 0) {
            events[count++] = stroke[i];
        }
    }
    return count;
}
