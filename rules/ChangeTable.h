#pragma once
#include "ChangeTableItem.h"
#include "FileRetry.h"
#include "LayerNames.h"
#include "PtrArray.h"

#include <string>

class CIniFile;
class IIniBackend;

// Full path of the settings file: the executable's directory + "Config.ini".
std::string GetConfigPath();

// The ordered conversion table (it owns its rules) and the product names of
// the MIDI-IN devices chosen for its device slots; loaded from and saved to
// the settings file.
class CChangeTable : public CAutoDeletePtrArray<CChangeTableItem*, CChangeTableItem*> {
public:
    // No real table comes near this. A larger TableItemCount is damage: the
    // table then holds the rule sections present below this index.
    static constexpr int kMaxItemCount = 10000;

    CChangeTable() = default;
    ~CChangeTable() override = default;

    // Slot 1 is the device of the settings window; a rule with InputDevice
    // 1..kDeviceSlots takes the input of that slot only.
    static constexpr int kDeviceSlots = 8;
    std::string GetDeviceName() const { return m_deviceNames[0]; }
    void SetDeviceName(const std::string& name) { m_deviceNames[0] = name; }
    // Empty for an unnamed slot and for numbers beyond the slots.
    std::string GetDeviceName(int slot) const;
    // Slots beyond the range are left alone.
    void SetDeviceName(int slot, const std::string& name);
    // How many slots have a device name.
    int NamedDeviceCount() const;

    // The MIDI-OUT device paired with a slot's input, for the lights of its
    // rules (empty: none), and the bytes sent after it opens and before it
    // closes, as the user wrote them (see MidiOutBytes.h). Empty for
    // numbers beyond the slots; slots beyond the range are left alone.
    struct SMidiOut {
        std::string device;
        std::string initBytes;
        std::string exitBytes;
    };
    SMidiOut GetMidiOut(int slot) const;
    void SetMidiOut(int slot, const SMidiOut& out);
    void SetMidiOutDevice(int slot, const std::string& name);

    // The rule's input text as the list shows it: for a rule of one device
    // slot, led by that device's name, or "デバイス N" while the slot is
    // unnamed.
    std::string InputTextOf(const CChangeTableItem& rule) const;
    // Whether switching the converter shows a notice on screen ([General]
    // ShowNotice). On by default and then not written, so files of today
    // save as they were.
    bool GetShowNotice() const { return m_showNotice; }
    void SetShowNotice(bool show) { m_showNotice = show; }

    const CLayerNames& LayerNames() const { return m_layerNames; }
    CLayerNames& LayerNames() { return m_layerNames; }
    // Whether a rule acts on one layer only or changes the layer.
    bool UsesLayers() const;

    // Appends the rules of the settings file beside the executable.
    void Load();
    // Replaces the settings file with this table. True when the complete
    // table reached the file; on false the previous file is left as it was.
    // A file that another program holds for a moment is waited for, about
    // half a second: for the end and for tools, not while input waits.
    bool Save();

    // The same on a given file: one read of the whole file, or one write of
    // the whole table, whatever its size.
    void Load(const std::string& path);
    bool Save(const std::string& path);

    // The same through a given backend (tests, tools).
    void Load(const std::string& path, IIniBackend& backend);
    bool Save(const std::string& path, IIniBackend& backend);

    // One save without waiting: Locked when another program held the
    // settings file or the new file (a later try may work). On anything but
    // Done the previous file is left as it was.
    FileTry TrySave(const std::string& path);
    FileTry TrySave(const std::string& path, IIniBackend& backend);
    // Writes the rules and the layer names to a file of the settings file's
    // layout, without the device (another computer names its own).
    bool Export(const std::string& path, IIniBackend& backend) const;
    // What a read of such a file found. Nothing of this table changes unless
    // the file held a table.
    struct ImportReport {
        bool heldTable = false;
        int added = 0;
        // Rules of input or output kinds this program does not know.
        int skippedRules = 0;
    };
    enum class ImportMode { Replace, Append };
    ImportReport Import(const std::string& path, IIniBackend& backend, ImportMode mode);

private:
    static int LastRuleSectionBelowCap(CIniFile& ini);
    FileTry Write(const std::string& path, IIniBackend& backend, bool withDevice) const;

    std::string m_deviceNames[kDeviceSlots];
    SMidiOut m_midiOuts[kDeviceSlots];
    bool m_showNotice = true;
    CLayerNames m_layerNames;
};
