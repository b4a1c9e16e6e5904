#pragma once
#include "MidiInEventListener.h"

#include <cstdint>
#include <string>
#include <vector>

// Records every decoded event as one line of text.
class RecordingListener : public CMidiInEventListener {
public:
    std::vector<std::string> events;

    void OnNoteOn(std::uint32_t h, std::uint8_t ch, std::uint8_t note, std::uint8_t vel) override {
        events.push_back(Line("on", h, ch, note, vel));
    }
    void OnNoteOff(std::uint32_t h, std::uint8_t ch, std::uint8_t note) override {
        events.push_back(Line("off", h, ch, note));
    }
    void OnPitchBend(std::uint32_t h, std::uint8_t ch, std::int32_t value) override {
        events.push_back(Line("bend", h, ch, value));
    }
    void OnControlChange(std::uint32_t h, std::uint8_t ch, std::uint8_t c,
                         std::uint8_t v) override {
        events.push_back(Line("cc", h, ch, c, v));
    }
    void OnProgramChange(std::uint32_t h, std::uint8_t ch, std::uint8_t p) override {
        events.push_back(Line("pc", h, ch, p));
    }

private:
    template <typename... Args> static std::string Line(const char* kind, Args... args) {
        std::string text = kind;
        ((text += " " + std::to_string(static_cast<long long>(args))), ...);
        return text;
    }
};
