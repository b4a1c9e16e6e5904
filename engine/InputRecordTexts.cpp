#include "InputRecordTexts.h"

#include "ChangeTableItem.h"
#include "InputRecord.h"
#include "KeyNames.h"
#include "KeyStroke.h"
#include "StringUtil.h"

#include <cstdint>

namespace {
const char* const kTitles[RecordColumnCount] = {"時刻", "デバイス", "Ch", "種類", "値", "処理"};

std::uint8_t Status(const SInputRecordEntry& entry) {
    return static_cast<std::uint8_t>(entry.message & 0xFF);
}
int Data1(const SInputRecordEntry& entry) { return (entry.message >> 8) & 0x7F; }
int Data2(const SInputRecordEntry& entry) { return (entry.message >> 16) & 0x7F; }

// The kinds the listener decodes into events; everything else it drops.
bool IsDecoded(std::uint8_t status) {
    switch (status & 0xF0) {
    case 0x80:
    case 0x90:
    case 0xB0:
    case 0xC0:
    case 0xE0:
        return true;
    default:
        return false;
    }
}

// How many bytes a message of this status has, the status included.
int MessageLength(std::uint8_t status) {
    if (status < 0x80) {
        return 3; // no status byte: show what came
    }
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0:
        return 2;
    case 0xF0:
        if (status == 0xF1 || status == 0xF3) {
            return 2;
        }
        return status == 0xF2 ? 3 : 1;
    default:
        return 3;
    }
}

std::string HexBytes(const SInputRecordEntry& entry) {
    const int length = MessageLength(Status(entry));
    std::string text;
    for (int i = 0; i < length; ++i) {
        text += Format(i == 0 ? "%02X" : " %02X", (entry.message >> (8 * i)) & 0xFF);
    }
    return text;
}

bool IsNoteOff(const SInputRecordEntry& entry) {
    const int kind = Status(entry) & 0xF0;
    return kind == 0x80 || (kind == 0x90 && Data2(entry) == 0);
}

std::string KindText(const SInputRecordEntry& entry) {
    const std::uint8_t status = Status(entry);
    if (!IsDecoded(status)) {
        return HexBytes(entry);
    }
    switch (status & 0xF0) {
    case 0x80:
    case 0x90:
        return Format("Note# %d", Data1(entry));
    case 0xB0:
        return Format("CC# %d", Data1(entry));
    case 0xC0:
        return Format("PC# %d", Data1(entry));
    default:
        return "PB";
    }
}

std::string ValueText(const SInputRecordEntry& entry) {
    const std::uint8_t status = Status(entry);
    if (!IsDecoded(status)) {
        return std::string();
    }
    if (IsNoteOff(entry)) {
        return "オフ";
    }
    switch (status & 0xF0) {
    case 0x90:
    case 0xB0:
        return Format("%d", Data2(entry));
    case 0xE0:
        return Format("%d", Data2(entry) * 128 + Data1(entry) - 8192);
    default:
        return std::string();
    }
}

// A held button by the name of its mouse action, as the rule texts name it.
std::string ButtonName(std::uint8_t virtualKey) {
    for (int action = CChangeTableItem::LeftButton; action <= CChangeTableItem::ForwardButton;
         ++action) {
        StrokeTarget target;
        if (MouseTarget(static_cast<std::uint8_t>(action), target) &&
            target.virtualKey == virtualKey) {
            return GetMouseActionName(action);
        }
    }
    return GetKeyName(virtualKey);
}

// What a release let go of, in the words of the press's output text and in
// the order the keys went down: "キー入力: Ctrl+A (離した)".
std::string ReleasedText(const SInputRecordEntry& entry) {
    const int kept = entry.releasedCount < SInputRecordEntry::kMaxReleasedKeys
                         ? entry.releasedCount
                         : SInputRecordEntry::kMaxReleasedKeys;
    bool button = false;
    std::string names;
    for (int i = kept - 1; i >= 0; --i) {
        const SReleasedKey& key = entry.released[i];
        button = button || key.mouseButton;
        names += (names.empty() ? "" : "+") +
                 (key.mouseButton ? ButtonName(key.virtualKey) : GetKeyName(key.virtualKey));
    }
    std::string text = (button ? "マウス: " : "キー入力: ") + names + " (離した)";
    if (entry.releasedCount > kept) {
        text += Format(" ほか%d件", entry.releasedCount - kept);
    }
    return text;
}

std::string DoneText(const SInputRecordEntry& entry) {
    if (!IsDecoded(Status(entry))) {
        return "未対応";
    }
    if (entry.releasedCount > 0 && entry.actedCount == 0) {
        return ReleasedText(entry);
    }
    if (!entry.converted) {
        // A note-off that let go of nothing, or the wheel inside its dead
        // zone: nothing to convert.
        return std::string();
    }
    switch (entry.outcome) {
    case EConversionOutcome::Acted:
        break;
    case EConversionOutcome::Disabled:
        return "無効中";
    case EConversionOutcome::Suspended:
        return "編集中";
    case EConversionOutcome::OtherApplicationOnly:
        return "別のアプリ用のみ";
    case EConversionOutcome::OtherLayerOnly:
        return "別のレイヤー用のみ";
    case EConversionOutcome::NoMatch:
    default:
        return "該当なし";
    }
    std::string text;
    const int shown = entry.actedCount < SInputRecordEntry::kMaxRules ? entry.actedCount
                                                                      : SInputRecordEntry::kMaxRules;
    for (int i = 0; i < shown; ++i) {
        if (i > 0) {
            text += ", ";
        }
        text += Format("%d行目 ", entry.acted[i].row + 1) + entry.acted[i].OutputText();
    }
    if (entry.actedCount > shown) {
        text += Format(" ほか%d件", entry.actedCount - shown);
    }
    return text;
}
} // namespace

const char* InputRecordColumnTitle(int column) {
    return column >= 0 && column < RecordColumnCount ? kTitles[column] : "";
}

std::string TimeOfDayText(unsigned ms) {
    ms %= 24u * 60 * 60 * 1000;
    return Format("%02u:%02u:%02u.%03u", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
}

std::string InputRecordText(const SInputRecordEntry& entry, int column) {
    switch (column) {
    case RecordColumnTime:
        return TimeOfDayText(entry.timeOfDayMs);
    case RecordColumnDevice:
        return entry.device;
    case RecordColumnChannel:
        // System messages belong to no channel.
        return IsDecoded(Status(entry)) || (Status(entry) >= 0x80 && Status(entry) < 0xF0)
                   ? Format("%d", (Status(entry) & 0x0F) + 1)
                   : std::string();
    case RecordColumnKind:
        return KindText(entry);
    case RecordColumnValue:
        return ValueText(entry);
    case RecordColumnDone:
        return DoneText(entry);
    default:
        return std::string();
    }
}

std::string InputRecordTabText(const CInputRecord& record) {
    std::string text;
    for (int column = 0; column < RecordColumnCount; ++column) {
        text += (column > 0 ? "\t" : "") + std::string(kTitles[column]);
    }
    text += "\r\n";
    for (int i = 0; i < record.GetCount(); ++i) {
        for (int column = 0; column < RecordColumnCount; ++column) {
            if (column > 0) {
                text += '\t';
            }
            text += InputRecordText(record.GetAt(i), column);
        }
        text += "\r\n";
    }
    return text;
}
