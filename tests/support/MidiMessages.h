#pragma once
// Packed MIDI short messages: status in bits 0-7, data bytes in 8-15, 16-23.
#include <cstdint>

constexpr std::uint32_t ShortMessage(std::uint8_t status, std::uint8_t data1,
                                     std::uint8_t data2 = 0) {
    return status | (std::uint32_t(data1) << 8) | (std::uint32_t(data2) << 16);
}
// Channels 0..15, as they travel on the wire.
constexpr std::uint32_t NoteOn(std::uint8_t channel, std::uint8_t note,
                               std::uint8_t velocity = 100) {
    return ShortMessage(0x90 | (channel & 0x0F), note, velocity);
}
constexpr std::uint32_t NoteOff(std::uint8_t channel, std::uint8_t note) {
    return ShortMessage(0x80 | (channel & 0x0F), note, 64);
}
constexpr std::uint32_t ControlChange(std::uint8_t channel, std::uint8_t controller,
                                      std::uint8_t value) {
    return ShortMessage(0xB0 | (channel & 0x0F), controller, value);
}
constexpr std::uint32_t ProgramChange(std::uint8_t channel, std::uint8_t program) {
    return ShortMessage(0xC0 | (channel & 0x0F), program);
}
// `value` -8192..8191, 0 at the centre.
constexpr std::uint32_t PitchBend(std::uint8_t channel, int value) {
    const unsigned raw = static_cast<unsigned>(value + 8192);
    return ShortMessage(0xE0 | (channel & 0x0F), raw & 0x7F, (raw >> 7) & 0x7F);
}
