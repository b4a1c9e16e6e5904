#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The bytes a controller is sent after its output opens or before it
// closes (a mode message, a SysEx), as the user writes them: hex bytes
// separated by blanks, "F0 00 20 29 02 0E 10 01 F7 B0 00 7F".
//
// Read into whole messages: a SysEx from F0 to its F7, or a short message
// of a status byte and as many data bytes as that status takes. Anything
// else (a pair that is no hex byte, a data byte without a status, a SysEx
// without its end, a short message cut short, real-time bytes) makes the
// whole text unreadable: none of it is sent, since half a mode message can
// leave a controller in a state the user did not ask for.
using MidiOutMessage = std::vector<std::uint8_t>;

// Empty text: no messages. Unreadable text: nullopt.
std::optional<std::vector<MidiOutMessage>> ParseMidiOutBytes(const std::string& text);

// A short message packed as the platform takes it: status in bits 0-7,
// data bytes in 8-15 and 16-23.
std::uint32_t PackShortMessage(const MidiOutMessage& message);
