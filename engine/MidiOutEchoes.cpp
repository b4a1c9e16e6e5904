#include "MidiOutEchoes.h"

namespace {
// More is not worth remembering: a burst that long means every light at
// once, and its messages repeat the same few values.
constexpr std::size_t kMaxEntries = 512;
} // namespace

void CMidiOutEchoes::Sent(int slot, std::uint32_t message, std::uint64_t nowMs,
                          std::size_t backlog) {
    if (slot < 1 || slot > kSlots) {
        return;
    }
    std::deque<SEntry>& sent = m_sent[slot];
    sent.push_back({message & 0xFFFFFF, nowMs + backlog + kWindowMs});
    if (sent.size() > kMaxEntries) {
        sent.pop_front();
    }
}

bool CMidiOutEchoes::IsRelease(std::uint32_t message) {
    const std::uint8_t kind = message & 0xF0;
    const std::uint8_t value = (message >> 16) & 0x7F;
    return kind == 0x80 || (kind == 0x90 && value == 0) || (kind == 0xB0 && value < 64);
}

bool CMidiOutEchoes::IsEcho(int slot, std::uint32_t message, std::uint64_t nowMs) {
    if (slot < 1 || slot > kSlots) {
        return false;
    }
    std::deque<SEntry>& sent = m_sent[slot];
    while (!sent.empty() && sent.front().until < nowMs) {
        sent.pop_front();
    }
    const std::uint32_t packed = message & 0xFFFFFF;
    for (auto entry = sent.begin(); entry != sent.end(); ++entry) {
        if (entry->message == packed && entry->until >= nowMs) {
            // One sent message stands for one echo.
            sent.erase(entry);
            ++m_echoes;
            return true;
        }
    }
    return false;
}

void CMidiOutEchoes::Forget(int slot) {
    if (slot >= 1 && slot <= kSlots) {
        m_sent[slot].clear();
    }
}
