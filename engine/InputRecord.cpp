#include "InputRecord.h"

#include "ChangeTableItem.h"
#include "KeyStroke.h"
#include "PortDevices.h"
#include "LayerNames.h"
#include "StringUtil.h"
#include "TimeOfDay.h"

#include <cstring>

namespace {
// Copies at most size - 1 bytes, never half a two-byte character.
void CopyCut(char* target, std::size_t size, const char* source, std::size_t length) {
    std::size_t n = 0;
    while (n < length && n + 1 < size) {
        const bool lead = IsShiftJisLeadByte(static_cast<unsigned char>(source[n]));
        if (lead && (n + 2 >= size || n + 1 >= length)) {
            break;
        }
        n += lead ? 2 : 1;
    }
    std::memcpy(target, source, n);
    target[n] = '\0';
}

// The fields of a rule that an acted rule keeps, named once for both ways:
// kept when the rule acts, given back when its text is drawn.
template <typename Acted, typename Rule, typename Copy>
void EachKeptField(Acted& acted, Rule& rule, Copy copy) {
    copy(acted.outputKind, rule.OutputKind);
    copy(acted.keyCode, rule.KeyCode);
    copy(acted.keyFlag, rule.KeyFlag);
    copy(acted.keyHold, rule.KeyHold);
    copy(acted.mouseAction, rule.MouseAction);
    copy(acted.actLaunch, rule.ActLaunch);
    copy(acted.keyRepeat, rule.KeyRepeat);
    copy(acted.layerAction, rule.LayerAction);
    copy(acted.layerTarget, rule.LayerTarget);
}

void CopyCut(char* target, std::size_t size, const std::string& source) {
    CopyCut(target, size, source.data(), source.size());
}
} // namespace

void SActedRule::Keep(int index, const CChangeTableItem& rule, const CLayerNames* names) {
    row = index;
    EachKeptField(*this, rule, [](std::uint8_t& kept, std::uint8_t field) { kept = field; });
    exeName[0] = '\0';
    played[0] = '\0';
    // Copied from the table's own strings: no allocation per message.
    switch (rule.OutputKind) {
    case CChangeTableItem::KeySequence:
        CopyCut(played, sizeof played, rule.GetKeySequence());
        break;
    case CChangeTableItem::TypeText:
        CopyCut(played, sizeof played, rule.GetText());
        break;
    case CChangeTableItem::SwitchLayer:
        if (names != nullptr) {
            CopyCut(played, sizeof played, names->Get(rule.LayerTarget));
        }
        break;
    case CChangeTableItem::ActivateApplication: {
        // The copy of the path costs what the activation's process snapshot
        // dwarfs.
        const std::string path = rule.GetActExePath();
        const std::size_t slash = path.find_last_of("\\/");
        const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
        CopyCut(exeName, sizeof exeName, path.data() + start, path.size() - start);
        break;
    }
    default:
        break;
    }
}

std::string SActedRule::OutputText() const {
    CChangeTableItem rule;
    EachKeptField(*this, rule, [](std::uint8_t kept, std::uint8_t& field) { field = kept; });
    switch (outputKind) {
    case CChangeTableItem::KeySequence:
        rule.SetKeySequence(played);
        break;
    case CChangeTableItem::TypeText:
        rule.SetText(played);
        break;
    case CChangeTableItem::SwitchLayer: {
        CLayerNames names;
        names.Set(layerTarget, played);
        return rule.GetOutputText(names);
    }
    case CChangeTableItem::ActivateApplication:
        rule.SetActExePath(exeName);
        break;
    default:
        break;
    }
    return rule.GetOutputText();
}

static_assert(CInputRecord::kSlots == CPortDevices::kSlots, "a name for every slot a port has");

CInputRecord::CInputRecord(const ITimeOfDay& clock) : m_clock(clock), m_entries(kCapacity) {}

void CInputRecord::SetDeviceName(int slot, const std::string& name) {
    if (slot >= 1 && slot <= kSlots) {
        CopyCut(m_devices[slot], sizeof m_devices[slot], name.data(), name.size());
    }
}

void CInputRecord::OnShortMessage(std::uint32_t portHandle, std::uint32_t message) {
    const int device = m_portSlots != nullptr ? m_portSlots->SlotOf(portHandle) : 1;
    int slot = 0;
    if (m_count < kCapacity) {
        slot = (m_first + m_count) % kCapacity;
        ++m_count;
    } else {
        slot = m_first;
        m_first = (m_first + 1) % kCapacity;
    }
    SInputRecordEntry& entry = m_entries[slot];
    entry.timeOfDayMs = m_clock.MillisecondsOfDay();
    entry.message = message & 0x00FFFFFFu;
    std::memcpy(entry.device, m_devices[device], sizeof entry.device);
    entry.converted = false;
    entry.outcome = EConversionOutcome::NoMatch;
    entry.actedCount = 0;
    entry.releasedCount = 0;
    ++m_changes;
    ++m_messages;
}

SInputRecordEntry* CInputRecord::Newest() {
    return m_count > 0 ? &m_entries[(m_first + m_count - 1) % kCapacity] : nullptr;
}

void CInputRecord::RuleActed(int index, const CChangeTableItem& rule) {
    SInputRecordEntry* entry = Newest();
    if (entry == nullptr) {
        return;
    }
    if (entry->actedCount < SInputRecordEntry::kMaxRules) {
        entry->acted[entry->actedCount].Keep(index, rule, m_layerNames);
    }
    ++entry->actedCount;
    entry->converted = true;
    entry->outcome = EConversionOutcome::Acted;
    ++m_changes;
}

void CInputRecord::ConversionEnded(EConversionOutcome outcome) {
    SInputRecordEntry* entry = Newest();
    if (entry == nullptr) {
        return;
    }
    entry->converted = true;
    // A toggle rule may run a nested loop whose own messages come between;
    // what acted stays told as acted.
    if (entry->actedCount == 0) {
        entry->outcome = outcome;
    }
    ++m_changes;
}

void CInputRecord::HeldKeysReleased(const KeyStrokeEvent* releases, int count) {
    SInputRecordEntry* entry = Newest();
    if (entry == nullptr || count <= 0) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        if (entry->releasedCount < SInputRecordEntry::kMaxReleasedKeys) {
            SReleasedKey& key = entry->released[entry->releasedCount];
            key.virtualKey = releases[i].virtualKey;
            key.mouseButton = releases[i].device == InputDevice::MouseButton;
        }
        ++entry->releasedCount;
    }
    ++m_changes;
}

const SInputRecordEntry& CInputRecord::GetAt(int index) const {
    static const SInputRecordEntry kNone;
    if (index < 0 || index >= m_count) {
        return kNone;
    }
    return m_entries[(m_first + index) % kCapacity];
}

void CInputRecord::Clear() {
    m_first = 0;
    m_count = 0;
    ++m_changes;
}
