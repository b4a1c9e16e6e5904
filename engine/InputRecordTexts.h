#pragma once
#include <string>

class CInputRecord;
struct SInputRecordEntry;

// The monitor's columns, in order.
enum EInputRecordColumn {
    RecordColumnTime,
    RecordColumnDevice,
    RecordColumnChannel,
    RecordColumnKind,
    RecordColumnValue,
    RecordColumnDone,
    RecordColumnCount,
};

// The column's title.
const char* InputRecordColumnTitle(int column);
// The text of one column of an entry; empty for a column that does not exist.
// Kinds and numbers read as in the rule texts (Note# 60, CC# 20, PB, PC# 5);
// what the program did as the rows and output texts of the rules that acted
// (rows counted from 1, as the user sees them), or why none did; of a
// release that let go of held keys, those keys.
std::string InputRecordText(const SInputRecordEntry& entry, int column);
// hh:mm:ss.mmm
std::string TimeOfDayText(unsigned millisecondsOfDay);
// Every entry of the record with a title line, columns separated by tabs
// and lines ended by CR LF, as the clipboard takes text.
std::string InputRecordTabText(const CInputRecord& record);
