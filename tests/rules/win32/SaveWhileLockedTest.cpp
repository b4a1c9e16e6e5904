// Saving the table while another program holds Config.ini or the new file
// open without sharing, as a virus scanner or a sync client does for a
// moment, on the platform's real file locks.
#include "ChangeTable.h"
#include "LockedFile.h"
#include "TempDir.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace {

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

TEST_F(SaveWhileLocked, OneTryTellsALockFromAFailureAndNeverWaits) {
    for (const std::string& held : {path, path + ".new"}) {
        LockedFile lock(held);
        ASSERT_TRUE(lock.IsHeld());
        EXPECT_EQ(table.TrySave(path), FileTry::Locked) << held;
        if (held == path) {
            EXPECT_FALSE(FileExists(path + ".new"));
        }
        lock.Release();
        EXPECT_EQ(ReadFileBytes(path), kOld);
    }
    // Read-only is the user's wish: it fails for good, however often tried.
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(table.TrySave(path), FileTry::Failed);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(table.TrySave(path), FileTry::Done);
    EXPECT_NE(ReadFileBytes(path).find("MidiInDevice=New Keyboard"), std::string::npos);
}
