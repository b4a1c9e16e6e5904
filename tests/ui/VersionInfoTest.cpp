#include "VersionInfo.h"
#include "VersionResource.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <map>
#include <string>

namespace {

// A resource with chosen string values in the "041104b0" block.
class FakeVersionResource : public IVersionResource {
public:
    bool loads = true;
    bool hasTranslation = true;
    std::map<std::string, std::string> values;

    bool Load(const std::string&) override { return loads; }
    bool Query(const std::string& subBlock, const void*& data, unsigned& length) override {
        if (subBlock == "\\VarFileInfo\\Translation") {
            if (!hasTranslation) {
                return false;
            }
            data = m_translation;
            length = sizeof m_translation;
            return true;
        }
        const auto found = values.find(subBlock);
        if (found == values.end()) {
            return false;
        }
        data = found->second.c_str();
        length = static_cast<unsigned>(found->second.size());
        return true;
    }

private:
    // Japanese, Unicode; then a second pair that must not be used.
    const WORD m_translation[4] = {0x0411, 0x04B0, 0x0409, 0x04E4};
};

std::string TempFileWith(const std::string& bytes) {
    char directory[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, directory) == 0 || GetTempFileNameA(directory, "sqv", 0, path) == 0) {
        return std::string();
    }
    if (std::FILE* file = std::fopen(path, "wb")) {
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    return path;
}

} // namespace

TEST(VersionInfo, EmptyUntilLoaded) {
    CVersionInfo info;
    EXPECT_EQ(info.GetFileVersion(), "");
    EXPECT_EQ(info.GetLegalCopyright(), "");
}

#ifdef SQ_PROGRAM_PATH
TEST(VersionInfo, ReadsTheProgramsOwnResource) {
    CVersionInfo info;
    info.LoadFromFile(SQ_PROGRAM_PATH);
    EXPECT_EQ(info.GetFileVersion(), "1.00");
    EXPECT_EQ(info.GetLegalCopyright(), "Copyright (C) Sorbelquintaro developers");
}
#endif

TEST(VersionInfo, AFileWithoutVersionDataReadsAsDashes) {
    const std::string path = TempFileWith("not a program at all\r\n");
    ASSERT_FALSE(path.empty());
    CVersionInfo info;
    info.SetValue(2, "stale");
    info.LoadFromFile(path);
    EXPECT_EQ(info.GetFileVersion(), "-");
    EXPECT_EQ(info.GetLegalCopyright(), "-");
    DeleteFileA(path.c_str());
}

TEST(VersionInfo, AMissingFileReadsAsDashes) {
    CVersionInfo info;
    info.LoadFromFile("C:\\no\\such\\folder\\Sorbelquintaro.exe");
    EXPECT_EQ(info.GetFileVersion(), "-");
    EXPECT_EQ(info.GetLegalCopyright(), "-");
}

TEST(VersionInfo, ValuesComeFromTheFirstTranslationOnly) {
    FakeVersionResource resource;
    resource.values["\\StringFileInfo\\041104b0\\FileVersion"] = "2.5";
    resource.values["\\StringFileInfo\\040904e4\\LegalCopyright"] = "wrong block";
    CVersionInfo info;
    info.LoadFromFile("any", resource);
    EXPECT_EQ(info.GetFileVersion(), "2.5");
    EXPECT_EQ(info.GetLegalCopyright(), "-") << "a value missing from the block is a dash";
}

TEST(VersionInfo, WithoutTranslationOrDataEveryValueIsADash) {
    FakeVersionResource noTranslation;
    noTranslation.hasTranslation = false;
    noTranslation.values["\\StringFileInfo\\041104b0\\FileVersion"] = "2.5";
    CVersionInfo info;
    info.LoadFromFile("any", noTranslation);
    EXPECT_EQ(info.GetFileVersion(), "-");

    FakeVersionResource unreadable;
    unreadable.loads = false;
    info.LoadFromFile("any", unreadable);
    EXPECT_EQ(info.GetFileVersion(), "-");
    EXPECT_EQ(info.GetLegalCopyright(), "-");
}

TEST(VersionInfo, AnEmptyValueStaysEmptyAndOutOfRangeIndexesAreIgnored) {
    FakeVersionResource resource;
    resource.values["\\StringFileInfo\\041104b0\\FileVersion"] = "";
    resource.values["\\StringFileInfo\\041104b0\\LegalCopyright"] = "(C) us";
    CVersionInfo info;
    info.LoadFromFile("any", resource);
    EXPECT_EQ(info.GetFileVersion(), "");
    EXPECT_EQ(info.GetLegalCopyright(), "(C) us");
    info.SetValue(12, "x");
    info.SetValue(-1, "x");
    EXPECT_EQ(info.GetFileVersion(), "");
    info.ClearValues();
    EXPECT_EQ(info.GetLegalCopyright(), "");
}
