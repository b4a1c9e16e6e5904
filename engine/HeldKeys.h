#pragma once
#include "KeyStroke.h"

#include <cstdint>

// The keys this program holds down at the moment, counted per virtual key:
// two held rules that share a key (Ctrl, say) release it only when both are
// released. Only keys counted here are ever released. Mouse buttons count
// under their virtual keys, which no keyboard sends.
class CHeldKeys {
public:
    // Adds one hold on the rule's modifiers (Ctrl, Shift, Alt) and its key
    // or mouse button. Writes the presses of the keys that were not held
    // yet, modifiers first.
    int Press(const StrokeTarget& target, std::uint8_t keyFlag,
              KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]);
    // Takes that hold off again. Writes the releases of the keys no longer
    // held, the key first, then the modifiers in reverse order.
    int Release(const StrokeTarget& target, std::uint8_t keyFlag,
                KeyStrokeEvent (&events)[kMaxKeyStrokeEvents]);

    bool IsHeld(std::uint8_t virtualKey) const { return m_count[virtualKey] != 0; }

private:
    std::uint16_t m_count[256] = {};
};
