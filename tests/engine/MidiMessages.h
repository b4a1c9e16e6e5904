#pragma once
#include <cstdint>

// Packed MIDI short messages as the driver delivers them.
inline std::uint32_t Pack(std::uint32_t status, std::uint32_t data1, std::uint32_t data2 = 0) {
    return status | (data1 << 8) | (data2 << 16);
}
inline std::uint32_t NoteOnMessage(int channel, int note, int velocity = 100) {
    return Pack(0x90u | static_cast<std::uint32_t>(channel), static_cast<std::uint32_t>(note),
                static_cast<std::uint32_t>(velocity));
}
inline std::uint32_t NoteOffMessage(int channel, int note) {
    return Pack(0x80u | static_cast<std::uint32_t>(channel), static_cast<std::uint32_t>(note), 64);
}
inline std::uint32_t ControlChangeMessage(int channel, int controller, int value) {
    return Pack(0xB0u | static_cast<std::uint32_t>(channel), static_cast<std::uint32_t>(controller),
                static_cast<std::uint32_t>(value));
}
inline std::uint32_t ProgramChangeMessage(int channel, int program) {
    return Pack(0xC0u | static_cast<std::uint32_t>(channel), static_cast<std::uint32_t>(program));
}
// value: -8192..8191, 0 at the centre.
inline std::uint32_t PitchBendMessage(int channel, int value) {
    const std::uint32_t raw = static_cast<std::uint32_t>(value + 8192);
    return Pack(0xE0u | static_cast<std::uint32_t>(channel), raw & 0x7F, (raw >> 7) & 0x7F);
}
