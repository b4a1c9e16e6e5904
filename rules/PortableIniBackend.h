#pragma once
#include "IniBackend.h"

// INI files read and written by this program itself, with the observable
// behaviour of the Windows private-profile functions.
class PortableIniBackend : public IniBackend {
public:
    bool ReadString(const std::string& file, const char* section, const char* key,
                    std::string& value) override;
    int ReadInt(const std::string& file, const char* section, const char* key,
                int defaultValue) override;
    bool WriteString(const std::string& file, const char* section, const char* key,
                     const char* value) override;
    bool Flush(const std::string& file) override;
    bool DeleteFile(const std::string& file) override;
    bool ReplaceFile(const std::string& from, const std::string& to) override;
};
