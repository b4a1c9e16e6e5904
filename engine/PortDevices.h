#pragma once
#include <cstdint>

// Which device slot each open MIDI-IN port belongs to, by the port handle
// its messages carry. At most one port per slot. Every message is looked up
// (by the engine, the record and the lights), so the open ports are also
// kept packed: with one device open a message costs one comparison, with
// none no look at all, whatever the table holds.
class CPortDevices {
public:
    static constexpr int kSlots = 8;

    // The port of `slot` (1..kSlots) is now `portHandle`; other numbers are
    // ignored. A port given again to another slot leaves its old slot.
    void Assign(std::uint8_t slot, std::uint32_t portHandle);
    void Forget(std::uint8_t slot);
    // The slot of the port, or 0 for a port no slot holds (a probe, a port
    // that closed): only rules for every device take its messages.
    std::uint8_t SlotOf(std::uint32_t portHandle) const {
        for (int i = 0; i < m_openCount; ++i) {
            if (m_openHandles[i] == portHandle) {
                return m_openSlots[i];
            }
        }
        return 0;
    }

private:
    // Lists the open ports anew; only on a change of ports.
    void PackOpenPorts();

    struct Entry {
        std::uint32_t handle = 0;
        bool open = false;
    };
    Entry m_ports[kSlots];
    // The open ports only, in slot order: m_openCount handles and slots.
    std::uint32_t m_openHandles[kSlots] = {};
    std::uint8_t m_openSlots[kSlots] = {};
    int m_openCount = 0;
};
