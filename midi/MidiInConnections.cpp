#include "MidiInConnections.h"

#include "MidiInEventListener.h"

#include <algorithm>

bool CMidiInConnections::SlotScheduler::PostCheck() {
    pending = true;
    return m_shared.PostCheck();
}

bool CMidiInConnections::SlotScheduler::StartRetryDelay() {
    pending = true;
    return m_shared.StartRetryDelay();
}

CMidiInConnections::CMidiInConnections(int slots, IMidiPlatform& platform,
                                       CMidiInEventListener& input,
                                       IMidiInCheckScheduler& scheduler, const EventsOfSlot& events)
    : m_platform(platform), m_input(input) {
    for (int slot = 1; slot <= slots; ++slot) {
        SMidiInConnectionEvents slotEvents = events(slot);
        slotEvents.portsTaken = [this, slot] { return PortsTakenBesides(slot); };
        m_slots.push_back(
            std::make_unique<SSlot>(platform, input, scheduler, std::move(slotEvents)));
    }
}

MidiInDeviceList CMidiInConnections::ListDevices() const {
    return ListMidiInDevices(m_platform);
}

std::vector<unsigned> CMidiInConnections::PortsTakenBesides(int slot) const {
    std::vector<unsigned> taken;
    for (int other = 1; other <= SlotCount(); ++other) {
        if (other != slot) {
            if (const std::optional<unsigned> index = Slot(other).OpenIndex()) {
                taken.push_back(*index);
            }
        }
    }
    return taken;
}

std::vector<int> CMidiInConnections::PickingOrder(const std::vector<int>& slots,
                                                  const MidiInDeviceList& devices) const {
    std::vector<int> order(slots);
    const auto listedExactly = [&](int slot) {
        const std::string& name = Slot(slot).GetDeviceName();
        return !name.empty() && std::find(devices.begin(), devices.end(),
                                          std::optional<std::string>(name)) != devices.end();
    };
    std::stable_partition(order.begin(), order.end(), listedExactly);
    return order;
}

void CMidiInConnections::OpenAll(const std::vector<std::string>& names, std::uintptr_t receiver) {
    CloseAll();
    std::vector<int> slots;
    for (int slot = 1; slot <= SlotCount(); ++slot) {
        slots.push_back(slot);
    }
    const MidiInDeviceList devices = ListDevices();
    // The order needs the names before the opens set them.
    std::vector<int> order(slots);
    std::stable_partition(order.begin(), order.end(), [&](int slot) {
        const std::size_t i = static_cast<std::size_t>(slot - 1);
        return i < names.size() && !names[i].empty() &&
               std::find(devices.begin(), devices.end(), std::optional<std::string>(names[i])) !=
                   devices.end();
    });
    for (const int slot : order) {
        const std::size_t i = static_cast<std::size_t>(slot - 1);
        Slot(slot).Open(i < names.size() ? names[i] : std::string(), receiver);
    }
}

void CMidiInConnections::CloseAll() {
    for (auto& slot : m_slots) {
        slot->connection.Close();
    }
}

void CMidiInConnections::OnShortMessage(std::uint32_t portHandle, std::uint32_t message) {
    for (auto& slot : m_slots) {
        if (slot->connection.KnowsMessagePort(portHandle)) {
            // Passed on when it is the open port's, dropped when a closed one's.
            slot->connection.OnShortMessage(portHandle, message);
            return;
        }
    }
    m_input.OnShortMessage(portHandle, message);
}

// A slot without a device has nothing to look for: it neither lists the
// devices nor asks for a timer.
void CMidiInConnections::OnDevicesChanged() {
    for (auto& slot : m_slots) {
        if (!slot->connection.GetDeviceName().empty()) {
            slot->connection.OnDevicesChanged();
        }
    }
}

void CMidiInConnections::OnResumed() {
    for (auto& slot : m_slots) {
        if (!slot->connection.GetDeviceName().empty()) {
            slot->connection.OnResumed();
        }
    }
}

void CMidiInConnections::OnPortClosed(std::uintptr_t portHandle) {
    // Only the connection whose port it was: another one would count it as
    // a close of its own.
    for (auto& slot : m_slots) {
        if (slot->connection.KnowsPort(portHandle)) {
            slot->connection.OnPortClosed(portHandle);
            return;
        }
    }
}

void CMidiInConnections::RunCheck() {
    std::vector<int> due;
    for (int slot = 1; slot <= SlotCount(); ++slot) {
        SlotScheduler& scheduler = m_slots[static_cast<std::size_t>(slot - 1)]->scheduler;
        if (scheduler.pending) {
            scheduler.pending = false;
            due.push_back(slot);
        }
    }
    if (due.size() == 1) {
        Slot(due.front()).RunCheck();
        return;
    }
    if (due.empty()) {
        return;
    }
    // Every port that is checked closes first: after an unplug the ports
    // that follow are renumbered, and an index one slot held a moment ago
    // may now be another slot's device.
    for (const int slot : due) {
        if (Slot(slot).OpenIndex()) {
            Slot(slot).Close();
        }
    }
    for (const int slot : PickingOrder(due, ListDevices())) {
        Slot(slot).RunCheck();
    }
}
