#include "ChangeTable.h"

#include "FileRetry.h"
#include "IniBackend.h"
#include "IniFile.h"
#include "ModulePath.h"
#include "PortableIniBackend.h"
#include "StringUtil.h"

#include <chrono>
#include <thread>
#include <utility>

namespace {

const char kGeneral[] = "General";

std::string SectionName(int index) { return Format("TableItem%03d", index); }

std::string LayerNameKey(int layer) { return Format("LayerName%d", layer); }

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

FileTry CChangeTable::TrySave(const std::string& path) {
    CPortableIniBackend onePass;
    return TrySave(path, onePass);
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
        return rule.GetInputText(m_layerNames);
    }
    const std::string name = GetDeviceName(rule.InputDevice);
    const std::string device = name.empty() ? Format("デバイス %d", rule.InputDevice) : name;
    return device + ": " + rule.GetInputText(m_layerNames);
}

void CChangeTable::Load(const std::string& path, IIniBackend& backend) {
    CIniFile ini(path, backend);
    for (int slot = 1; slot <= kDeviceSlots; ++slot) {
        m_deviceNames[slot - 1] = ini.GetString(kGeneral, DeviceKey(slot).c_str(), "", false);
    }
    for (int layer = CLayerNames::kFirstLayer; layer <= CLayerNames::kLayerCount; ++layer) {
        // A value cannot hold a line break, so every name read is taken.
        m_layerNames.Set(layer, ini.GetString(kGeneral, LayerNameKey(layer).c_str(), "", false));
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
    return RetryWhileLocked([&] { return TrySave(path, backend); },
                            [](unsigned ms) {
                                std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                            });
}

FileTry CChangeTable::TrySave(const std::string& path, IIniBackend& backend) {
    return Write(path, backend, true);
}

bool CChangeTable::Export(const std::string& path, IIniBackend& backend) const {
    return Write(path, backend, false) == FileTry::Done;
}

FileTry CChangeTable::Write(const std::string& path, IIniBackend& backend, bool withDevice) const {
    const std::string temporaryPath = path + ".new";
    CIniFile ini(temporaryPath, backend);
    ini.Delete();

    // Another computer names its own devices: a table written for it leaves
    // them out.
    if (withDevice) {
        ini.WriteString(kGeneral, DeviceKey(1).c_str(), m_deviceNames[0].c_str(), false);
        // The other slots only when named: a table of one device keeps its file.
        for (int slot = 2; slot <= kDeviceSlots; ++slot) {
            if (!m_deviceNames[slot - 1].empty()) {
                ini.WriteString(kGeneral, DeviceKey(slot).c_str(), m_deviceNames[slot - 1].c_str(),
                                false);
            }
        }
    }
    ini.WriteInt(kGeneral, "TableItemCount", GetSize());
    if (withDevice && !m_showNotice) {
        ini.WriteInt(kGeneral, "ShowNotice", 0);
    }
    // Only the names given, so that tables without them keep their file.
    for (int layer = CLayerNames::kFirstLayer; layer <= CLayerNames::kLayerCount; ++layer) {
        const std::string& name = m_layerNames.Get(layer);
        if (!name.empty()) {
            ini.WriteString(kGeneral, LayerNameKey(layer).c_str(), name.c_str(), false);
        }
    }
    // Only what is set: a table without lights keeps its file. The outputs
    // and their bytes belong to this computer's devices, as the inputs do.
    for (int slot = 1; withDevice && slot <= kDeviceSlots; ++slot) {
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
        return FileTry::Done;
    }
    const bool locked = backend.FailedOnLock();
    backend.RemoveFile(temporaryPath);
    return locked ? FileTry::Locked : FileTry::Failed;
}

bool CChangeTable::UsesLayers() const {
    for (int i = 0; i < GetSize(); ++i) {
        if (GetAt(i) != nullptr && GetAt(i)->UsesLayers()) {
            return true;
        }
    }
    return false;
}

namespace {

// Kinds this program can act on; a rule of another is left out of an
// import and named in its report.
bool IsKnownRule(const CChangeTableItem& rule) {
    return rule.InputKind <= CChangeTableItem::ControlChangeDown &&
           rule.OutputKind <= CChangeTableItem::TypeText;
}

} // namespace

CChangeTable::ImportReport CChangeTable::Import(const std::string& path, IIniBackend& backend,
                                                ImportMode mode) {
    ImportReport report;
    CChangeTable read;
    {
        CIniFile ini(path, backend);
        // A table has its count; anything else (an empty or binary file, a
        // text of another program) is no table.
        if (ini.GetInt(kGeneral, "TableItemCount", -1) < 0) {
            return report;
        }
    }
    read.Load(path, backend);
    report.heldTable = true;
    if (mode == ImportMode::Replace) {
        while (GetSize() > 0) {
            RemoveAndDelete(GetSize() - 1);
        }
        m_layerNames = CLayerNames();
    }
    for (int layer = CLayerNames::kFirstLayer; layer <= CLayerNames::kLayerCount; ++layer) {
        // Added rules keep this table's names; the file names the rest.
        if (m_layerNames.Get(layer).empty()) {
            m_layerNames.Set(layer, read.m_layerNames.Get(layer));
        }
    }
    for (int i = 0; i < read.GetSize(); ++i) {
        CChangeTableItem* rule = read.GetAt(i);
        read.SetAt(i, nullptr); // now this table's, or deleted here
        if (rule != nullptr && IsKnownRule(*rule)) {
            InsertAt(GetSize(), rule);
            ++report.added;
        } else {
            delete rule;
            ++report.skippedRules;
        }
    }
    return report;
}
