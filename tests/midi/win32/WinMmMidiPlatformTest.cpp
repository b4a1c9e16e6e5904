// The WinMM layer and CMidiInDevice on top of it, run against the fake
// multimedia library that lies beside this test program.
#include "FakeWinmmControl.h"
#include "MidiInDevice.h"
#include "IMidiPlatform.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <mmsystem.h>

#include <cstring>

namespace {

std::string ProgramDirectory() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string full(path, length);
    return full.substr(0, full.find_last_of('\\') + 1);
}

class WinMmMidiPlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fake.SetDevices({{"Keys"}, {"Pads"}, {"Broken", 0, 4}, {"Stuck", 0, 0, 1},
                                     {"Unreadable", 6}}));
        ASSERT_TRUE(fake.ClearLog());
        // The fake must be the library this program uses, not the system's.
        ASSERT_NE(GetModuleHandleA("winmm.dll"), nullptr);
        char path[MAX_PATH] = {};
        GetModuleFileNameA(GetModuleHandleA("winmm.dll"), path, MAX_PATH);
        ASSERT_EQ(_stricmp(path, (ProgramDirectory() + "winmm.dll").c_str()), 0) << path;
    }

    FakeWinmmControl fake{ProgramDirectory()};
    IMidiPlatform& platform = PlatformMidi();
};

// A window that keeps the notices the service posts to it.
class NoticeWindow {
public:
    NoticeWindow() {
        m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   nullptr, nullptr);
    }
    ~NoticeWindow() {
        if (m_window != nullptr) {
            DestroyWindow(m_window);
        }
    }
    HWND Handle() const { return m_window; }
    std::uintptr_t Id() const { return reinterpret_cast<std::uintptr_t>(m_window); }

    // Messages waiting for this window, in order, removed from the queue.
    std::vector<MSG> TakeMessages() const {
        std::vector<MSG> messages;
        MSG msg;
        while (PeekMessageA(&msg, m_window, 0, 0, PM_REMOVE)) {
            messages.push_back(msg);
        }
        return messages;
    }

private:
    HWND m_window = nullptr;
};

} // namespace

TEST_F(WinMmMidiPlatformTest, ListsTheDevicesByIndexWithTheirNames) {
    EXPECT_EQ(platform.InGetNumDevs(), 5u);
    std::string name;
    EXPECT_EQ(platform.InGetDevCaps(1, name), 0u);
    EXPECT_EQ(name, "Pads");
    const auto caps = fake.Calls("midiInGetDevCapsA");
    ASSERT_EQ(caps.size(), 1u);
    EXPECT_EQ(caps[0].Number("size"), 44u);
}

TEST_F(WinMmMidiPlatformTest, AFailingCapabilitiesReadKeepsTheNameAndReportsTheCode) {
    std::string name = "before";
    EXPECT_EQ(platform.InGetDevCaps(4, name), 6u);
    EXPECT_EQ(name, "before");
    EXPECT_NE(platform.InGetDevCaps(9, name), 0u);
    EXPECT_EQ(name, "before");
}

TEST_F(WinMmMidiPlatformTest, ANameFillingTheWholeFieldComesBackAt31Characters) {
    const std::string longName(40, 'N');
    ASSERT_TRUE(fake.SetDevices({{longName}}));
    std::string name;
    EXPECT_EQ(platform.InGetDevCaps(0, name), 0u);
    EXPECT_EQ(name, std::string(31, 'N'));
}

TEST_F(WinMmMidiPlatformTest, AShiftJisNameComesBackByteForByte) {
    const std::string japanese = "ＭＩＤＩ鍵盤 ポート１";
    ASSERT_TRUE(fake.SetDevices({{japanese}}));
    std::string name;
    EXPECT_EQ(platform.InGetDevCaps(0, name), 0u);
    EXPECT_EQ(name, japanese);
}

TEST_F(WinMmMidiPlatformTest, OpensForWindowDeliveryAndStartsAndCloses) {
    NoticeWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    std::uintptr_t handle = 0;
    ASSERT_EQ(platform.InOpen(handle, 1, window.Id()), 0u);
    EXPECT_NE(handle, 0u);
    EXPECT_EQ(platform.InStart(handle), 0u);
    EXPECT_EQ(platform.InClose(handle), 0u);

    const auto calls = fake.Calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].function, "midiInOpen");
    EXPECT_EQ(calls[0].Number("device"), 1u);
    EXPECT_EQ(calls[0].Number("callback"), window.Id());
    EXPECT_EQ(calls[0].Number("instance"), 0u);
    EXPECT_EQ(calls[0].Number("flags"), static_cast<unsigned>(CALLBACK_WINDOW));
    EXPECT_EQ(calls[0].Number("handle"), handle);
    EXPECT_EQ(calls[1].function, "midiInStart");
    EXPECT_EQ(calls[1].Number("handle"), handle);
    EXPECT_EQ(calls[2].function, "midiInClose");
    EXPECT_EQ(calls[2].Number("handle"), handle);

    // Open and close notices reach the window; they carry the port handle.
    const auto messages = window.TakeMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].message, static_cast<UINT>(MM_MIM_OPEN));
    EXPECT_EQ(messages[0].wParam, handle);
    EXPECT_EQ(messages[1].message, static_cast<UINT>(MM_MIM_CLOSE));
}

TEST_F(WinMmMidiPlatformTest, FailuresComeBackAsTheServicesCodes) {
    std::uintptr_t handle = 0;
    EXPECT_EQ(platform.InOpen(handle, 2, 0), 4u);
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(platform.InOpen(handle, 17, 0), static_cast<unsigned>(MMSYSERR_BADDEVICEID));
    ASSERT_EQ(platform.InOpen(handle, 3, 0), 0u);
    EXPECT_EQ(platform.InStart(handle), 1u);
    EXPECT_EQ(platform.InClose(handle), 0u);
    EXPECT_EQ(platform.InClose(handle), static_cast<unsigned>(MMSYSERR_INVALHANDLE));
}

TEST_F(WinMmMidiPlatformTest, TheDeviceUsesThisPlatformByDefault) {
    NoticeWindow window;
    {
        CMidiInDevice device;
        EXPECT_TRUE(device.Open(0, window.Id()));
        EXPECT_FALSE(device.Open(2, window.Id()));
        EXPECT_FALSE(device.IsOpen());
        EXPECT_FALSE(device.Open(3, window.Id())); // opens, but will not start
        EXPECT_TRUE(device.IsOpen());
    }
    std::vector<std::string> sequence;
    for (const FakeWinmmCall& call : fake.Calls()) {
        if (call.function.compare(0, 6, "midiIn") == 0) {
            sequence.push_back(call.function + " " + call.Get("result"));
        }
    }
    // Two system-exclusive buffers queued before the start, handed back by
    // the reset and unprepared before the close.
    const std::vector<std::string> buffersIn = {"midiInPrepareHeader 0", "midiInAddBuffer 0",
                                                "midiInPrepareHeader 0", "midiInAddBuffer 0"};
    const std::vector<std::string> buffersOut = {"midiInReset 0", "midiInUnprepareHeader 0",
                                                 "midiInUnprepareHeader 0", "midiInClose 0"};
    std::vector<std::string> expected = {"midiInOpen 0"};
    expected.insert(expected.end(), buffersIn.begin(), buffersIn.end());
    expected.push_back("midiInStart 0");
    expected.insert(expected.end(), buffersOut.begin(), buffersOut.end());
    expected.insert(expected.end(), {"midiInOpen 4", "midiInOpen 0"});
    expected.insert(expected.end(), buffersIn.begin(), buffersIn.end());
    expected.push_back("midiInStart 1");
    expected.insert(expected.end(), buffersOut.begin(), buffersOut.end());
    EXPECT_EQ(sequence, expected);
    EXPECT_TRUE(fake.Calls("midiInStop").empty());
    // The buffers came back unfilled, by the reset.
    for (const FakeWinmmCall& call : fake.Calls("bufferReturned")) {
        EXPECT_EQ(call.Number("bytes"), 0u);
    }
}
