#pragma once
#include "ChangeTableItem.h"
#include "LayerNames.h"
#include "PtrArray.h"

#include <string>

class CIniFile;
class IIniBackend;

// Full path of the settings file: the executable's directory + "Config.ini".
std::string GetConfigPath();

// The ordered conversion table (it owns its rules) and the chosen MIDI-IN
// device's product name; loaded from and saved to the settings file.
class CChangeTable : public CAutoDeletePtrArray<CChangeTableItem*, CChangeTableItem*> {
public:
    // No real table comes near this. A larger TableItemCount is damage: the
    // table then holds the rule sections present below this index.
    static constexpr int kMaxItemCount = 10000;

    CChangeTable() = default;
    ~CChangeTable() override = default;

    std::string GetDeviceName() const { return m_deviceName; }
    void SetDeviceName(const std::string& name) { m_deviceName = name; }

    const CLayerNames& LayerNames() const { return m_layerNames; }
    CLayerNames& LayerNames() { return m_layerNames; }
    // Whether a rule acts on one layer only or changes the layer.
    bool UsesLayers() const;

    // Appends the rules of the settings file beside the executable.
    void Load();
    // Replaces the settings file with this table. True when the complete
    // table reached the file; on false the previous file is left as it was.
    bool Save();

    // The same on a given file: one read of the whole file, or one write of
    // the whole table, whatever its size.
    void Load(const std::string& path);
    bool Save(const std::string& path);

    // The same through a given backend (tests, tools).
    void Load(const std::string& path, IIniBackend& backend);
    bool Save(const std::string& path, IIniBackend& backend);

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
    bool Write(const std::string& path, IIniBackend& backend, bool withDevice) const;

    std::string m_deviceName;
    CLayerNames m_layerNames;
};
