// Saving the table while another program holds Config.ini or the new file
// open without sharing, as a virus scanner or a sync client does for a
// moment, on the platform's real file locks.
#include "ChangeTable.h"
#include "TempDir.h"
#include "TestFiles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

namespace {

// Holds the file open without any sharing from the constructor until
// `releaseAfterMs` have passed (or until the object goes).
class LockedFile {
public:
    LockedFile(const std::string& path, DWORD releaseAfterMs)
        : m_handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr)),
          m_release(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_holder([this, releaseAfterMs] {
              WaitForSingleObject(m_release, releaseAfterMs);
              CloseHandle(m_handle);
          }) {}
    ~LockedFile() {
        SetEvent(m_release);
        m_holder.join();
        CloseHandle(m_release);
    }
    bool IsHeld() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
    HANDLE m_release;
    std::thread m_holder;
};

class SaveWhileLocked : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFileBytes(path, kOld);
        table.SetDeviceName("New Keyboard");
    }
    static constexpr const char* kOld = "[General]\r\nMidiInDevice=Old Keyboard\r\n";
    TempDir dir;
    std::string path = dir.File("Config.ini");
    CChangeTable table;
};

} // namespace

TEST_F(SaveWhileLocked, TheSettingsFileOrTheNewFileHeldForAMomentIsWaitedOut) {
    for (const std::string& held : {path, path + ".new"}) {
        bool saved = false;
        {
            LockedFile lock(held, 200);
            ASSERT_TRUE(lock.IsHeld());
            saved = table.Save(path);
        }
        EXPECT_TRUE(saved) << held;
        EXPECT_NE(ReadFileBytes(path).find("MidiInDevice=New Keyboard"), std::string::npos);
        EXPECT_FALSE(FileExists(path + ".new"));
        WriteFileBytes(path, kOld);
    }
}

TEST_F(SaveWhileLocked, ALockThatStaysFailsTheSaveAndKeepsTheOldFile) {
    bool saved = true;
    {
        LockedFile lock(path, INFINITE);
        ASSERT_TRUE(lock.IsHeld());
        saved = table.Save(path);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(ReadFileBytes(path), kOld);
    EXPECT_FALSE(FileExists(path + ".new"));
}
