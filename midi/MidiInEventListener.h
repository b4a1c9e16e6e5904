#pragma once
#include <cstdint>

// Receiver of MIDI-IN events. The default OnShortMessage decodes a packed
// short message (status in bits 0-7, data bytes in bits 8-15 and 16-23) and
// calls one of the event operations on the same object.
class CMidiInEventListener {
public:
    virtual ~CMidiInEventListener() = default;

    virtual void OnShortMessage(std::uint32_t portHandle, std::uint32_t message);
    virtual void OnLongMessage(std::uint32_t a, std::uint32_t b, std::uint32_t c);
    virtual void OnNoteOn(std::uint32_t portHandle, std::uint8_t channel, std::uint8_t note,
                          std::uint8_t velocity);
    virtual void OnNoteOff(std::uint32_t portHandle, std::uint8_t channel, std::uint8_t note);
    virtual void OnPitchBend(std::uint32_t portHandle, std::uint8_t channel, std::int32_t value);
    virtual void OnControlChange(std::uint32_t portHandle, std::uint8_t channel,
                                 std::uint8_t controller, std::uint8_t value);
    virtual void OnProgramChange(std::uint32_t portHandle, std::uint8_t channel,
                                 std::uint8_t program);
};
