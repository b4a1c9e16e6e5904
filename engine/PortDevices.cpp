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
    PackOpenPorts();
}

void CPortDevices::Forget(std::uint8_t slot) {
    if (slot >= 1 && slot <= kSlots) {
        m_ports[slot - 1].open = false;
        PackOpenPorts();
    }
}

void CPortDevices::PackOpenPorts() {
    m_openCount = 0;
    for (int slot = 1; slot <= kSlots; ++slot) {
        const Entry& entry = m_ports[slot - 1];
        if (entry.open) {
            m_openHandles[m_openCount] = entry.handle;
            m_openSlots[m_openCount] = static_cast<std::uint8_t>(slot);
            ++m_openCount;
        }
    }
}
