// Every damaged settings file loads, without crash or hang, to a defined
// table; saving that table writes a clean file that holds only the program's
// own lines and reads back to the same table.
#include "ChangeTable.h"
#include "DamagedConfigCorpus.h"
#include "PortableIniBackend.h"
#include "TempDir.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<DamagedFile> Corpus() {
    return DamagedConfigCorpus(SQ_DAMAGED_CONFIG_DIR);
}

class DamagedConfig : public ::testing::TestWithParam<DamagedFile> {
protected:
    TempDir dir;
    std::string path = dir.File("Config.ini");
    CPortableIniBackend backend;
};

std::string TestName(const ::testing::TestParamInfo<DamagedFile>& info) {
    std::string name;
    for (char c : info.param.name.substr(0, info.param.name.find('.'))) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

} // namespace

TEST(DamagedConfigCorpus, HasTheFilesItNames) {
    const auto files = Corpus();
    EXPECT_GE(files.size(), 44u);
    size_t empty = 0;
    for (const auto& file : files) {
        empty += file.bytes.empty() ? 1 : 0;
    }
    EXPECT_EQ(empty, 1u) << "only the empty case may be empty: is the data folder there?";
}

TEST_P(DamagedConfig, LoadsToADefinedTableAndSavesClean) {
    const DamagedFile& file = GetParam();
    backend.RemoveFile(path);
    WriteFileBytes(path, file.bytes);

    CChangeTable table;
    table.Load(path, backend);
    if (file.expectedRules >= 0) {
        EXPECT_EQ(table.GetSize(), file.expectedRules);
    }
    ASSERT_LE(table.GetSize(), CChangeTable::kMaxItemCount);

    ASSERT_TRUE(table.Save(path, backend));
    EXPECT_FALSE(FileExists(path + ".new"));
    EXPECT_EQ(NonBlankLines(ReadFileBytes(path)), CleanConfigLines(table));

    CChangeTable reloaded;
    reloaded.Load(path, backend);
    EXPECT_EQ(CleanConfigLines(reloaded), CleanConfigLines(table));
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedConfig, ::testing::ValuesIn(Corpus()), TestName);
