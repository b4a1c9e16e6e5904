#include "HeldKeys.h"

int CHeldKeys::Press(std::uint8_t keyCode, std::uint8_t keyFlag,
                     KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]) {
    KeyStrokeEvent stroke[kMaxKeyStrokeEvents];
    const int strokeCount = BuildKeyStroke(keyCode, keyFlag, stroke);
    int count = 0;
    for (int i = 0; i < strokeCount && !stroke[i].keyUp; ++i) {
        if (m_count[stroke[i].virtualKey]++ == 0) {
            events[count++] = stroke[i];
        }
    }
    return count;
}

int CHeldKeys::Release(std::uint8_t keyCode, std::uint8_t keyFlag,
                       KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]) {
    KeyStrokeEvent stroke[kMaxKeyStrokeEvents];
    const int strokeCount = BuildKeyStroke(keyCode, keyFlag, stroke);
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
