#include "ChangeTable.h"

#include "IniBackend.h"
#include "IniFile.h"
#include "ModulePath.h"
#include "PortableIniBackend.h"
#include "StringUtil.h"

#include <utility>

namespace {

const char kGeneral[] = "General";

std::string SectionName(int index) { return Format("TableItem%03d", index); }

// Slot 1 keeps the key of the tables written before there were slots.
std::string DeviceKey(int slot) {
    return slot == 1 ? std::string("MidiInDevice") : Format("MidiInDevice%d", slot);
}

// The keys of a slot's output, named like its input's.
std::string SlotKey(const char* key, int slot) {
    return slot == 1 ? std::string(key) : Format("%s%d", key, slot);
}

} // namespace

std::string GetConfigPath() { return GetModuleDirectory() + "Config.ini"; }

void CChangeTable::Load() { Load(GetConfigPath()); }

bool CChangeTable::Save() { return Save(GetConfigPath()); }

// Key by key through the platform's profile functions, a table of a thousand
// rules took seconds to load and a minute to save under Wine, and the save at
// log-off must end before the session does. Parsed and written in memory,
// both take milliseconds.
void CChangeTable::Load(const std::string& path) {
    CPortableIniBackend onePass;
    Load(path, onePass);
}

bool CChangeTable::Save(const std::string& path) {
    CPortableIniBackend onePass;
    return Save(path, onePass);
}

std::string CChangeTable::GetDeviceName(int slot) const {
    return slot >= 1 && slot <= kDeviceSlots ? m_deviceNames[slot - 1] : std::string();
}

void CChangeTable::SetDeviceName(int slot, const std::string& name) {
    if (slot >= 1 && slot <= kDeviceSlots) {
        m_deviceNames[slot - 1] = name;
    }
}

CChangeTable::SMidiOut CChangeTable::GetMidiOut(int slot) const {
    return slot >= 1 && slot <= kDeviceSlots ? m_midiOuts[slot - 1] : SMidiOut();
}

void CChangeTable::SetMidiOut(int slot, const SMidiOut& out) {
    if (slot >= 1 && slot <= kDeviceSlots) {
        m_midiOuts[slot - 1] = out;
    }
}

void CChangeTable::SetMidiOutDevice(int slot, const std::string& name) {
    if (slot >= 1 && slot <= kDeviceSlots) {
        m_midiOuts[slot - 1].device = name;
    }
}

int CChangeTable::NamedDeviceCount() const {
    int count = 0;
    for (const std::string& name : m_deviceNames) {
        count += name.empty() ? 0 : 1;
    }
    return count;
}

std::string CChangeTable::InputTextOf(const CChangeTableItem& rule) const {
    if (rule.InputDevice == CChangeTableItem::kAnyDevice) {
        return rule.GetInputText();
    }
    const std::string name = GetDeviceName(rule.InputDevice);
    const std::string device = name.empty() ? Format("デバイス %d", rule.InputDevice) : name;
    return device + ": " + rule.GetInputText();
}

void CChangeTable::Load(const std::string& path, IIniBackend& backend) {
    CIniFile ini(path, backend);
    for (int slot = 1; slot <= kDeviceSlots; ++slot) {
        m_deviceNames[slot - 1] = ini.GetString(kGeneral, DeviceKey(slot).c_str(), "", false);
    }
    int count = ini.GetInt(kGeneral, "TableItemCount", 0);
    m_showNotice = ini.GetInt(kGeneral, "ShowNotice", 1) != 0;
    for (int slot = 1; slot <= kDeviceSlots; ++slot) {
        SMidiOut& out = m_midiOuts[slot - 1];
        out.device = ini.GetString(kGeneral, SlotKey("MidiOutDevice", slot).c_str(), "", false);
        out.initBytes = ini.GetString(kGeneral, SlotKey("MidiOutInit", slot).c_str(), "", false);
        out.exitBytes = ini.GetString(kGeneral, SlotKey("MidiOutExit", slot).c_str(), "", false);
    }
    if (count > kMaxItemCount) {
        count = LastRuleSectionBelowCap(ini) + 1;
    }
    for (int index = 0; index < count; ++index) {
        CChangeTableItem* item = new CChangeTableItem;
        Add(item);
        const std::string section = SectionName(index);
        // A rule without a section keeps its defaults; not asking for its
        // twelve keys one by one keeps a large table quick to load.
        if (ini.HasSection(section.c_str())) {
            item->Exchange(false, ini, section.c_str());
        }
    }
}

// A count beyond the cap is damage, not a table: the rules are the sections
// that are really there, not thousands of default rules that the user would
// have to delete one by one and that would make every save crawl.
int CChangeTable::LastRuleSectionBelowCap(CIniFile& ini) {
    for (int index = kMaxItemCount - 1; index >= 0; --index) {
        if (ini.HasSection(SectionName(index).c_str())) {
            return index;
        }
    }
    return -1;
}

// The new table is written completely into a file beside the old one, which
// then replaces the old file in one step: an interrupted save never leaves a
// half-written or missing Config.ini behind.
bool CChangeTable::Save(const std::string& path, IIniBackend& backend) {
    const std::string temporaryPath = path + ".new";
    CIniFile ini(temporaryPath, backend);
    ini.Delete();

    ini.WriteString(kGeneral, DeviceKey(1).c_str(), m_deviceNames[0].c_str(), false);
    // The other slots only when named: a table of one device keeps its file.
    for (int slot = 2; slot <= kDeviceSlots; ++slot) {
        if (!m_deviceNames[slot - 1].empty()) {
            ini.WriteString(kGeneral, DeviceKey(slot).c_str(), m_deviceNames[slot - 1].c_str(),
                            false);
        }
    }
    ini.WriteInt(kGeneral, "TableItemCount", GetSize());
    if (!m_showNotice) {
        ini.WriteInt(kGeneral, "ShowNotice", 0);
    }
    // Only what is set: a table without lights keeps its file.
    for (int slot = 1; slot <= kDeviceSlots; ++slot) {
        const SMidiOut& out = m_midiOuts[slot - 1];
        const std::pair<const char*, const std::string*> keys[] = {
            {"MidiOutDevice", &out.device},
            {"MidiOutInit", &out.initBytes},
            {"MidiOutExit", &out.exitBytes}};
        for (const auto& key : keys) {
            if (!key.second->empty()) {
                ini.WriteString(kGeneral, SlotKey(key.first, slot).c_str(), key.second->c_str(),
                                false);
            }
        }
    }
    for (int index = 0; index < GetSize() && !ini.HasWriteFailed(); ++index) {
        GetAt(index)->Exchange(true, ini, SectionName(index).c_str());
    }
    if (!ini.HasWriteFailed() && backend.Flush(temporaryPath) &&
        backend.MoveOver(temporaryPath, path)) {
        return true;
    }
    backend.RemoveFile(temporaryPath);
    return false;
}
