#include "RecordingListener.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::uint32_t Pack(std::uint32_t status, std::uint32_t data1 = 0, std::uint32_t data2 = 0) {
    return status | (data1 << 8) | (data2 << 16);
}

std::vector<std::string> Decode(std::uint32_t message, std::uint32_t handle = 7) {
    RecordingListener listener;
    listener.OnShortMessage(handle, message);
    return listener.events;
}

using Events = std::vector<std::string>;

} // namespace

TEST(MidiDecoding, NotesAndVelocityZero) {
    EXPECT_EQ(Decode(Pack(0x90, 0x3C, 0x64)), Events{"on 7 0 60 100"});
    EXPECT_EQ(Decode(Pack(0x9F, 0x3C, 0x00)), Events{"off 7 15 60"});
    EXPECT_EQ(Decode(Pack(0x80, 0x3C, 0x40)), Events{"off 7 0 60"});
}

TEST(MidiDecoding, ControllersProgramsAndPitchBend) {
    EXPECT_EQ(Decode(Pack(0xB2, 0x07, 0x7F)), Events{"cc 7 2 7 127"});
    EXPECT_EQ(Decode(Pack(0xC5, 0x00)), Events{"pc 7 5 0"});
    EXPECT_EQ(Decode(Pack(0xE0, 0x00, 0x40)), Events{"bend 7 0 0"});
    EXPECT_EQ(Decode(Pack(0xE0, 0x00, 0x00)), Events{"bend 7 0 -8192"});
    EXPECT_EQ(Decode(Pack(0xEA, 0x7F, 0x7F)), Events{"bend 7 10 8191"});
}

TEST(MidiDecoding, DroppedKinds) {
    EXPECT_TRUE(Decode(Pack(0xA0, 0x3C, 0x40)).empty());
    EXPECT_TRUE(Decode(Pack(0xD3, 0x40)).empty());
    EXPECT_TRUE(Decode(Pack(0xF8)).empty());
    EXPECT_TRUE(Decode(Pack(0xFE)).empty());
    EXPECT_TRUE(Decode(Pack(0xF0, 0x7E, 0x7F)).empty());
    // Running status: data bytes without a status byte are not decoded.
    EXPECT_TRUE(Decode(Pack(0x3C, 0x64)).empty());
    EXPECT_TRUE(Decode(0x00000000).empty());
}

TEST(MidiDecoding, HighBitsAreIgnored) {
    EXPECT_EQ(Decode(0xFF000000u | Pack(0x90, 0x3C, 0x64)), Events{"on 7 0 60 100"});
    EXPECT_EQ(Decode(Pack(0x91, 0xBC, 0xE4)), Events{"on 7 1 60 100"});
    // A second data byte of 0x80 is 0 once masked: a note-off.
    EXPECT_EQ(Decode(Pack(0x90, 0x3C, 0x80)), Events{"off 7 0 60"});
    EXPECT_EQ(Decode(Pack(0x90, 0x3C, 0x64), 0xFFFFFFFFu), Events{"on 4294967295 0 60 100"});
}

TEST(MidiDecoding, EveryStatusByteDecodesToAtMostOneEvent) {
    for (std::uint32_t status = 0; status < 256; ++status) {
        for (std::uint32_t data : {0x00u, 0x01u, 0x40u, 0x7Fu, 0xFFu}) {
            EXPECT_LE(Decode(Pack(status, data, data)).size(), 1u) << status;
        }
    }
}
