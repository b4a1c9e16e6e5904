// Every damaged settings file loads, without crash or hang, to a defined
// table; saving that table writes a clean file that holds only the program's
// own lines and reads back to the same table.
#include "ChangeTable.h"
#include "PortableIniBackend.h"
#include "StringUtil.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <vector>

namespace {

struct DamagedFile {
    std::string name;
    std::string bytes;
    int expectedRules; // -1: not pinned down
};

std::string RuleLines(const CChangeTableItem& item, int index) {
    return Format("[TableItem%03d]\n"
                  "InputCh=%d\nInputKind=%d\nOutputKind=%d\nNoteNumber=%d\nNoteNumberEnd=%d\n"
                  "CCNumber=%d\nCCFlag=%d\nPCNumber=%d\nPCRange=%d\nKeyCode=%d\nKeyFlag=%d\n",
                  index, item.InputCh, item.InputKind, item.OutputKind, item.NoteNumber,
                  item.NoteNumberEnd, item.CCNumber, item.CCFlag, item.PCNumber, item.PCRange,
                  item.KeyCode, item.KeyFlag) +
           "ActExePath=" + item.GetActExePath() + "\n";
}

// The file a table must save to, one line per "\n", blank lines left out.
std::string ExpectedLines(const CChangeTable& table) {
    std::string text = "[General]\nMidiInDevice=" + table.GetDeviceName() + "\n" +
                       Format("TableItemCount=%d\n", table.GetSize());
    for (int i = 0; i < table.GetSize(); ++i) {
        text += RuleLines(*table.GetAt(i), i);
    }
    return text;
}

std::string NonBlankLines(const std::string& bytes) {
    std::string text, line;
    std::istringstream in(bytes);
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty()) {
            text += line + "\n";
        }
    }
    return text;
}

std::string Describe(const CChangeTable& table) { return ExpectedLines(table); }

std::vector<DamagedFile> Corpus() {
    std::vector<DamagedFile> files;
    std::ifstream list(std::string(SQ_DAMAGED_CONFIG_DIR) + "/expected.txt");
    std::string name, count;
    while (list >> name >> count) {
        files.push_back({name, ReadFileBytes(std::string(SQ_DAMAGED_CONFIG_DIR) + "/" + name),
                         count == "*" ? -1 : std::stoi(count)});
    }
    // Too big to keep in the repository.
    const std::string mega(1 << 20, 'M');
    files.push_back({"megabyte-line", "[General]\r\nJunk=" + mega + "\r\nTableItemCount=1\r\n", 1});
    files.push_back({"megabyte-path",
                     "[General]\r\nTableItemCount=1\r\n[TableItem000]\r\nActExePath=C:\\" + mega +
                         "\r\nKeyCode=65\r\n",
                     1});
    files.push_back({"megabyte-without-line-end", "[General]\r\nTableItemCount=1\r\n" + mega, 1});
    files.push_back({"megabyte-of-line-ends", std::string(1 << 20, '\n'), 0});
    return files;
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
    EXPECT_EQ(NonBlankLines(ReadFileBytes(path)), ExpectedLines(table));

    CChangeTable reloaded;
    reloaded.Load(path, backend);
    EXPECT_EQ(Describe(reloaded), Describe(table));
}

INSTANTIATE_TEST_SUITE_P(Files, DamagedConfig, ::testing::ValuesIn(Corpus()), TestName);
