#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Takes values from a fuzzer's input front to back, so that a seed file can
// be written by hand in the order in which the target reads it. Past the
// end every value is 0 and every string empty.
class ByteReader {
public:
    ByteReader(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    bool AtEnd() const { return m_next >= m_size; }

    std::uint8_t Byte() { return AtEnd() ? 0 : m_data[m_next++]; }

    // Little-endian, as the packed short message lies in memory.
    std::uint32_t Word() {
        std::uint32_t value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            value |= static_cast<std::uint32_t>(Byte()) << shift;
        }
        return value;
    }

    // A byte folded onto 0..count-1.
    std::uint8_t Choice(std::uint8_t count) { return static_cast<std::uint8_t>(Byte() % count); }

    // A length byte, then up to that many bytes (NUL bytes included).
    std::string String() {
        std::size_t length = Byte();
        if (length > m_size - m_next) {
            length = m_size - m_next;
        }
        std::string text(reinterpret_cast<const char*>(m_data + m_next), length);
        m_next += length;
        return text;
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_next = 0;
};
