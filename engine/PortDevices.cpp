#include "PortDevices.h"

void CPortDevices::Assign(std::uint8_t slot, std::uint32_t portHandle) {
    if (slot < 1 || slot > kSlots) {
        return;
    }
    for (Entry& entry : m_ports) {
        if (entry.open && entry.handle == portHandle) {
            entry.open = false;
        }
    }
    m_ports[slot - 1] = Entry{portHandle, true};
}

void CPortDevices::Forget(std::uint8_t slot) {
    if (slot >= 1 && slot <= kSlots) {
        m_ports[slot - 1].open = false;
    }
}

std::uint8_t CPortDevices::SlotOf(std::uint32_t portHandle) const {
    for (int slot = 0; slot < kSlots; ++slot) {
        if (m_ports[slot].open && m_ports[slot].handle == portHandle) {
            return static_cast<std::uint8_t>(slot + 1);
        }
    }
    return 0;
}
