#include "MidiInEventListener.h"

void CMidiInEventListener::OnShortMessage(std::uint32_t portHandle, std::uint32_t message) {
    const std::uint8_t channel = static_cast<std::uint8_t>(message & 0x0F);
    const std::uint8_t data1 = static_cast<std::uint8_t>((message >> 8) & 0x7F);
    const std::uint8_t data2 = static_cast<std::uint8_t>((message >> 16) & 0x7F);
    switch (message & 0xF0) {
    case 0x80:
        OnNoteOff(portHandle, channel, data1);
        break;
    case 0x90:
        if (data2 != 0) {
            OnNoteOn(portHandle, channel, data1, data2);
        } else {
            OnNoteOff(portHandle, channel, data1);
        }
        break;
    case 0xB0:
        OnControlChange(portHandle, channel, data1, data2);
        break;
    case 0xC0:
        OnProgramChange(portHandle, channel, data1);
        break;
    case 0xE0:
        OnPitchBend(portHandle, channel, data2 * 128 + data1 - 8192);
        break;
    default:
        // Key and channel pressure, system messages and bytes without a
        // status bit (running status is not supported) are dropped.
        break;
    }
}

void CMidiInEventListener::OnLongMessage(std::uint32_t, std::uint32_t, std::uint32_t) {}
void CMidiInEventListener::OnNoteOn(std::uint32_t, std::uint8_t, std::uint8_t, std::uint8_t) {}
void CMidiInEventListener::OnNoteOff(std::uint32_t, std::uint8_t, std::uint8_t) {}
void CMidiInEventListener::OnPitchBend(std::uint32_t, std::uint8_t, std::int32_t) {}
void CMidiInEventListener::OnControlChange(std::uint32_t, std::uint8_t, std::uint8_t,
                                           std::uint8_t) {}
void CMidiInEventListener::OnProgramChange(std::uint32_t, std::uint8_t, std::uint8_t) {}
