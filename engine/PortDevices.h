#pragma once
#include <cstdint>

// Which device slot each open MIDI-IN port belongs to, by the port handle
// its messages carry. At most one port per slot; a message costs one look
// through the few open ports, whatever the table holds.
class CPortDevices {
public:
    static constexpr int kSlots = 8;

    // The port of `slot` (1..kSlots) is now `portHandle`; other numbers are
    // ignored. A port given again to another slot leaves its old slot.
    void Assign(std::uint8_t slot, std::uint32_t portHandle);
    void Forget(std::uint8_t slot);
    // The slot of the port, or 0 for a port no slot holds (a probe, a port
    // that closed): only rules for every device take its messages.
    std::uint8_t SlotOf(std::uint32_t portHandle) const;

private:
    struct Entry {
        std::uint32_t handle = 0;
        bool open = false;
    };
    Entry m_ports[kSlots];
};
