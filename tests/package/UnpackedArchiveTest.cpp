// The release archive as a user unpacks it: what it holds, that its texts
// open in Notepad as they are, and that the program started from the unpacked
// folder writes its Config.ini beside itself and nothing else anywhere there.
#include "ConfigIni.h"
#include "ProgramProcess.h"
#include "SettingsWindow.h"
#include "VersionInfo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr unsigned kStartTimeoutMs = 20000;
constexpr unsigned kExitTimeoutMs = 10000;

const std::string kUnpacked = std::string(SQ_UNPACKED_DIR) + "\\";
const std::string kFolder = std::string(SQ_PACKAGE_FOLDER) + "\\";
const std::string kProgramDir = kUnpacked + kFolder;

struct FileState {
    unsigned long long size = 0;
    unsigned long long written = 0;
    bool operator==(const FileState& other) const {
        return size == other.size && written == other.written;
    }
};

// Every file and folder under `root` + `relative`, by path relative to `root`
// (folders end in a backslash), with the size and write time of each file.
void ListTree(const std::string& root, const std::string& relative,
              std::map<std::string, FileState>& entries) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((root + relative + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        const std::string path = relative + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            entries[path + "\\"] = FileState();
            ListTree(root, path + "\\", entries);
        } else {
            FileState state;
            state.size = (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            state.written = (static_cast<unsigned long long>(found.ftLastWriteTime.dwHighDateTime) << 32) |
                            found.ftLastWriteTime.dwLowDateTime;
            entries[path] = state;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::map<std::string, FileState> Tree() {
    std::map<std::string, FileState> entries;
    ListTree(kUnpacked, "", entries);
    return entries;
}

std::vector<std::string> Names(const std::map<std::string, FileState>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries) {
        names.push_back(entry.first);
    }
    return names;
}

// True when every line of `text` ends in CR LF, the last one included.
bool HasCrLfLinesOnly(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            return false;
        }
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')) {
            return false;
        }
    }
    return !text.empty() && text.back() == '\n';
}

bool DecodesIn(UINT codePage, const std::string& text) {
    return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                               nullptr, 0) > 0;
}

} // namespace

// Runs first: the program test below adds Config.ini to the folder.
TEST(UnpackedArchive, HoldsOneFolderWithTheProgramGuideExampleAndLicence) {
    EXPECT_EQ(Names(Tree()), (std::vector<std::string>{
                                 kFolder,
                                 kFolder + "Config.example.ini",
                                 kFolder + "LICENSE.txt",
                                 kFolder + "ReadMe.txt",
                                 kFolder + "Sorbelquintaro.exe",
                             }));
}

TEST(UnpackedArchive, GuideAndLicenceAreTextsNotepadOpensAsTheyAre) {
    const std::string guide = ReadFileBytes(kProgramDir + "ReadMe.txt");
    ASSERT_GT(guide.size(), 3u);
    EXPECT_EQ(guide.substr(0, 3), "\xEF\xBB\xBF") << "no UTF-8 byte-order mark";
    EXPECT_TRUE(DecodesIn(CP_UTF8, guide));
    EXPECT_TRUE(HasCrLfLinesOnly(guide));
    for (const char* needed : {"Config.ini", "shell:startup", "Sorbelquintaro.exe", "Config.example.ini"}) {
        EXPECT_NE(guide.find(needed), std::string::npos) << needed;
    }

    const std::string licence = ReadFileBytes(kProgramDir + "LICENSE.txt");
    EXPECT_TRUE(HasCrLfLinesOnly(licence));
    EXPECT_EQ(licence.rfind("MIT License", 0), 0u);
}

TEST(UnpackedArchive, TheLicenceNamesTheRightsHolderOfTheVersionResource) {
    CVersionInfo info;
    info.LoadFromFile(kProgramDir + "Sorbelquintaro.exe");
    const std::string copyright = info.GetLegalCopyright();
    const std::string prefix = "Copyright (C) ";
    ASSERT_EQ(copyright.rfind(prefix, 0), 0u) << copyright;
    const std::string holder = copyright.substr(prefix.size());
    ASSERT_FALSE(holder.empty());
    EXPECT_NE(ReadFileBytes(kProgramDir + "LICENSE.txt").find(holder + "\r\n"), std::string::npos)
        << "the licence does not name " << holder;
}

TEST(UnpackedArchive, TheProgramCarriesTheVersionInTheArchivesName) {
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(std::sscanf(SQ_PACKAGE_FOLDER, "Sorbelquintaro-%u.%u.%u-win64", &major, &minor, &patch), 3)
        << SQ_PACKAGE_FOLDER;
    const std::string program = kProgramDir + "Sorbelquintaro.exe";

    DWORD ignored = 0;
    std::vector<char> data(GetFileVersionInfoSizeA(program.c_str(), &ignored));
    ASSERT_FALSE(data.empty());
    ASSERT_TRUE(GetFileVersionInfoA(program.c_str(), 0, static_cast<DWORD>(data.size()), data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwFileVersionMS, (major << 16) | minor);
    EXPECT_EQ(fixed->dwFileVersionLS, patch << 16);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);

    // The text shows major.minor with two minor digits, as "1.00".
    char text[32];
    std::snprintf(text, sizeof text, "%u.%02u", major, minor);
    CVersionInfo info;
    info.LoadFromFile(program);
    EXPECT_EQ(info.GetFileVersion(), text);
}

TEST(UnpackedArchive, TheExampleSettingsAreATableInTheProgramsEncoding) {
    const std::string path = kProgramDir + "Config.example.ini";
    const std::string text = ReadFileBytes(path);
    EXPECT_TRUE(DecodesIn(932, text));
    EXPECT_TRUE(HasCrLfLinesOnly(text));
    const Config example = ReadConfigIni(path);
    EXPECT_FALSE(example.rules.empty());
}

TEST(UnpackedArchive, StartedFromTheFolderItWritesOnlyConfigIniBesideItself) {
    const std::string config = kProgramDir + "Config.ini";
    ASSERT_FALSE(FileExists(config)) << "the folder is not as unpacked";
    const std::map<std::string, FileState> before = Tree();

    ProgramProcess process;
    ASSERT_TRUE(process.Start(kProgramDir + "Sorbelquintaro.exe", kProgramDir));
    const SettingsWindow window = SettingsWindow::WaitFor(process.Id(), kStartTimeoutMs);
    ASSERT_TRUE(window.IsFound()) << "no settings window";
    ASSERT_TRUE(window.WaitUntilVisible(true, kStartTimeoutMs));
    ASSERT_TRUE(window.PostCommand(SettingsWindow::kExitCommand));
    ASSERT_TRUE(process.WaitForExit(kExitTimeoutMs)) << "the program did not end";
    EXPECT_EQ(process.ExitCode(), 0u);

    std::map<std::string, FileState> after = Tree();
    ASSERT_EQ(after.count(kFolder + "Config.ini"), 1u) << "no Config.ini beside the program";
    after.erase(kFolder + "Config.ini");
    EXPECT_EQ(Names(after), Names(before)) << "files came or went besides Config.ini";
    EXPECT_TRUE(after == before) << "an unpacked file was written to";
    // The example under its own name is not read: the first start has an empty table.
    EXPECT_EQ(ReadLines(config), (std::vector<std::string>{"[General]", "MidiInDevice=", "TableItemCount=0"}));

    // The folder as unpacked again, for a repeated run.
    EXPECT_TRUE(DeleteFileA(config.c_str()));
}
