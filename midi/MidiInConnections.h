#pragma once
#include "IMidiInCheckScheduler.h"
#include "MidiInConnection.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The MIDI-IN connections of the device slots, one per slot, each opened by
// its name and found again by itself, so that unplugging one device leaves
// the others converting. Two slots never hold the same port: a slot whose
// name a port has exactly comes before one that would take it renamed. The
// window's notices reach the set, which hands each to the connection it is
// for (a port's data and close by its handle, the device and wake notices
// to all), and a check that is due runs for the connections that asked.
class CMidiInConnections {
public:
    using Status = CMidiInConnection::Status;
    // What the connection of one slot (1..) tells its owner.
    using EventsOfSlot = std::function<SMidiInConnectionEvents(int slot)>;

    CMidiInConnections(int slots, IMidiPlatform& platform, CMidiInEventListener& input,
                       IMidiInCheckScheduler& scheduler, const EventsOfSlot& events);

    CMidiInConnections(const CMidiInConnections&) = delete;
    CMidiInConnections& operator=(const CMidiInConnections&) = delete;

    int SlotCount() const { return static_cast<int>(m_slots.size()); }
    CMidiInConnection& Slot(int slot) {
        return m_slots[static_cast<std::size_t>(slot - 1)]->connection;
    }
    const CMidiInConnection& Slot(int slot) const {
        return m_slots[static_cast<std::size_t>(slot - 1)]->connection;
    }
    MidiInDeviceList ListDevices() const;

    // Opens every slot by its name (names[0] is slot 1; an empty name or a
    // missing entry leaves the slot closed): the exact names first.
    void OpenAll(const std::vector<std::string>& names, std::uintptr_t receiver);
    void CloseAll();

    // The window's notices, as CMidiInConnection takes them.
    void OnShortMessage(std::uint32_t portHandle, std::uint32_t message);
    void OnDevicesChanged();
    void OnResumed();
    void OnPortClosed(std::uintptr_t portHandle);
    void RunCheck();

private:
    // Marks its slot as asking for the check and passes the request on.
    class SlotScheduler : public IMidiInCheckScheduler {
    public:
        explicit SlotScheduler(IMidiInCheckScheduler& shared) : m_shared(shared) {}
        bool PostCheck() override;
        bool StartRetryDelay() override;
        bool pending = false;

    private:
        IMidiInCheckScheduler& m_shared;
    };
    struct SSlot {
        SSlot(IMidiPlatform& platform, CMidiInEventListener& input, IMidiInCheckScheduler& shared,
              SMidiInConnectionEvents events)
            : scheduler(shared), connection(platform, input, scheduler, std::move(events)) {}
        SlotScheduler scheduler;
        CMidiInConnection connection;
    };

    std::vector<unsigned> PortsTakenBesides(int slot) const;
    // The slots in the order they pick their ports: exact names first.
    std::vector<int> PickingOrder(const std::vector<int>& slots,
                                  const MidiInDeviceList& devices) const;

    IMidiPlatform& m_platform;
    CMidiInEventListener& m_input;
    std::vector<std::unique_ptr<SSlot>> m_slots;
};
