#pragma once
#include <cstdint>

// Which layer is current: the one the last switch went to, or, while inputs
// hold layers, the layer of the latest of them. Holds nest: the layer
// stays while any input that holds it is held, and when the last one is let
// go the layer is again the one from before the first. A switch that goes
// somewhere to stay (a layer, the next, the previous) ends the holds; their
// releases then change nothing. Platform-free.
class CLayerState {
public:
    static constexpr int kMaxHolds = 32;

    // The input that holds a layer: what its release is known by.
    struct Input {
        // The device slot the input came from: another device's note of the
        // same number is another key.
        std::uint8_t device;
        std::uint8_t kind;
        std::uint8_t channel;
        std::uint8_t number;
        // Controllers only: the rule's edge flag (only 0 lets go), else any
        // value below 64 lets go.
        bool edge;
    };

    int Current() const { return m_count != 0 ? m_holds[m_count - 1].layer : m_base; }
    bool IsHeld() const { return m_count != 0; }

    // layer: 1..16; anything else changes nothing.
    void GoTo(int layer);
    // Round the layers in use (bit n of layersInUse: layer n), from the
    // current one; the current layer counts as in use.
    void Next(std::uint32_t layersInUse);
    void Previous(std::uint32_t layersInUse);
    // Ignored when the input holds a layer already (a pedal repeats its
    // value) or the records are full.
    void Hold(const Input& input, int layer);

    // Each of these ends the holds of the inputs it names.
    void ReleaseNote(std::uint8_t device, std::uint8_t channel, std::uint8_t note);
    // Of either direction: a device's wheel is shared by all its channels.
    void ReleaseBend(std::uint8_t device);
    // Only when the value lets that controller go.
    void ReleaseController(std::uint8_t device, std::uint8_t channel, std::uint8_t controller,
                           std::uint8_t value);
    // The holds of one device's inputs: the device is gone.
    void ReleaseDevice(std::uint8_t device);
    // Back to the layer from before the holds: the input can no longer come.
    void ReleaseAll() { m_count = 0; }
    // Whether some hold is by a controller of that device and channel.
    bool HoldsController(std::uint8_t device, std::uint8_t channel, std::uint8_t controller) const;

private:
    struct Record {
        Input input;
        std::uint8_t layer;
    };
    template <typename Test> void ReleaseWhere(Test test);
    void Stay(int layer);

    int m_base = 1;
    Record m_holds[kMaxHolds] = {};
    int m_count = 0;
};
