#pragma once
// The damaged settings files the program must survive: the files of
// tests/data/damaged-config with the number of rules each loads to (from its
// expected.txt), and the few too big to keep in the repository.
#include "ChangeTable.h"
#include "StringUtil.h"
#include "TestFiles.h"

#include <fstream>
#include <string>
#include <vector>

struct DamagedFile {
    std::string name;
    std::string bytes;
    int expectedRules; // -1: not pinned down (the platform's reader decides)
};

inline std::vector<DamagedFile> DamagedConfigCorpus(const std::string& directory) {
    std::vector<DamagedFile> files;
    std::ifstream list(directory + "/expected.txt");
    std::string name, count;
    while (list >> name >> count) {
        files.push_back(
            {name, ReadFileBytes(directory + "/" + name), count == "*" ? -1 : std::stoi(count)});
    }
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

// The lines, blank ones left out, of a clean save of a table loaded from a
// damaged file: only the program's own keys, in its order.
inline std::vector<std::string> CleanConfigLines(const CChangeTable& table) {
    std::vector<std::string> lines = {"[General]", "MidiInDevice=" + table.GetDeviceName(),
                                      Format("TableItemCount=%d", table.GetSize())};
    for (int i = 0; i < table.GetSize(); ++i) {
        const CChangeTableItem& item = *table.GetAt(i);
        const std::vector<std::string> rule = {Format("[TableItem%03d]", i),
                                               Format("InputCh=%d", item.InputCh),
                                               Format("InputKind=%d", item.InputKind),
                                               Format("OutputKind=%d", item.OutputKind),
                                               Format("NoteNumber=%d", item.NoteNumber),
                                               Format("NoteNumberEnd=%d", item.NoteNumberEnd),
                                               Format("CCNumber=%d", item.CCNumber),
                                               Format("CCFlag=%d", item.CCFlag),
                                               Format("PCNumber=%d", item.PCNumber),
                                               Format("PCRange=%d", item.PCRange),
                                               Format("KeyCode=%d", item.KeyCode),
                                               Format("KeyFlag=%d", item.KeyFlag),
                                               "ActExePath=" + item.GetActExePath()};
        lines.insert(lines.end(), rule.begin(), rule.end());
    }
    return lines;
}
