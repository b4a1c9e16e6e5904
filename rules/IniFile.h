#pragma once
#include <cstdint>
#include <string>

class IIniBackend;

// Key-by-key access to one INI file through a backend, which decides when
// the file is read and written. A null or empty section name means
// "General".
class CIniFile {
public:
    CIniFile(const std::string& path, IIniBackend& backend);
    virtual ~CIniFile() = default;

    std::string GetString(const char* section, const char* key, const char* defaultValue,
                          bool escapeLineBreaks);
    // A value that reading would change (blanks at either end, enclosing
    // quotes) is written inside double quotes, so it reads back unchanged.
    bool WriteString(const char* section, const char* key, const char* value,
                     bool escapeLineBreaks);
    int GetInt(const char* section, const char* key, int defaultValue);
    bool WriteInt(const char* section, const char* key, int value);

    void ExchangeByte(bool save, const char* section, const char* key, std::uint8_t& value);
    void ExchangeString(bool save, const char* section, const char* key, std::string& value,
                        bool escapeLineBreaks);

    bool Delete();

    // False when the section has no key at all; reading it can then be skipped.
    bool HasSection(const char* section);

    // True once any write through this object has failed.
    bool HasWriteFailed() const { return m_writeFailed; }

    const std::string& GetPath() const { return m_path; }

private:
    std::string m_path;
    IIniBackend& m_backend;
    bool m_writeFailed = false;
};
