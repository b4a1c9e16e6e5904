#pragma once
#include <string>

class IVersionResource;

// The string values of a file's version resource, read through its first
// translation. A value that the resource lacks reads as "-".
class CVersionInfo {
public:
    enum { kValueCount = 12 };

    CVersionInfo() = default;
    virtual ~CVersionInfo() = default;

    void LoadFromFile(const std::string& path);
    void LoadFromFile(const std::string& path, IVersionResource& resource);
    void ClearValues();
    // Index 0..11; any other index is ignored.
    void SetValue(int index, const std::string& value);

    std::string GetFileVersion() const { return m_values[2]; }
    std::string GetLegalCopyright() const { return m_values[4]; }

private:
    // CompanyName, FileDescription, FileVersion, InternalName,
    // LegalCopyright, OriginalFileName, ProductName, ProductVersion,
    // Comments, LegalTrademarks, PrivateBuild, SpecialBuild.
    std::string m_values[kValueCount];
};
