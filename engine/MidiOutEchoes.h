#pragma once
#include <cstdint>
#include <deque>

// Recognises the program's own light messages coming back into an input:
// a controller that echoes what it is sent, or an output looped back into
// the input by a virtual cable, would otherwise trigger its own rule again
// and again. A message on a slot's input that equals one sent to that
// slot's output within the last 100 ms is an echo.
//
// An echo is neither converted nor answered with a repaint of its light
// (which would echo again), with one exception the owner makes: an echo
// that can only let go of something (IsRelease) still reaches the holds,
// as dropping it could leave a key held down for good.
class CMidiOutEchoes {
public:
    static constexpr std::uint64_t kWindowMs = 100;
    static constexpr int kSlots = 8;

    // A message was handed to the slot's output at `nowMs`; `backlog`
    // messages queued before it go out first, one per millisecond, so it
    // counts from when it will really be sent.
    void Sent(int slot, std::uint32_t message, std::uint64_t nowMs, std::size_t backlog);
    // Whether a message that came on the slot's input is an echo, to be
    // left unconverted.
    bool IsEcho(int slot, std::uint32_t message, std::uint64_t nowMs);
    // A note-off, a note-on of velocity 0, a controller below 64.
    static bool IsRelease(std::uint32_t message);
    // How many echoes were found since the start.
    int EchoCount() const { return m_echoes; }
    void Forget(int slot);

private:
    struct SEntry {
        std::uint32_t message;
        std::uint64_t until;
    };

    // Newest last; a burst of a hundred lights is the most there can be in
    // the window, and old entries go as soon as they are looked at.
    std::deque<SEntry> m_sent[kSlots + 1];
    int m_echoes = 0;
};
