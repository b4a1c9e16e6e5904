#pragma once
#include "KeyRecorder.h"
#include "SettingsWindow.h"

#include <cstdint>
#include <vector>

// Times the road of one MIDI note from the driver's posted message to the
// key-down in the focused window: the note is posted to the program, and
// this thread sleeps in its message wait until the recorder has the key.
class LatencyProbe {
public:
    LatencyProbe(const SettingsWindow& window, std::uintptr_t port, KeyRecorder& recorder)
        : m_window(window), m_port(port), m_recorder(recorder) {}

    // `count` strokes of a note that strikes one key; the milliseconds from
    // each post to its key-down. Empty when a key did not come in time.
    std::vector<double> Measure(int count, std::uint8_t note, unsigned timeoutMs);

private:
    // Dispatches this thread's messages until the recorder holds `events`;
    // the counter reading right after the one that completed it, or 0.
    long long WaitForEvents(std::size_t events, unsigned timeoutMs);

    const SettingsWindow& m_window;
    std::uintptr_t m_port;
    KeyRecorder& m_recorder;
};
