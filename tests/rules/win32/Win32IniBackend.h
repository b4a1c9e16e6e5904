#pragma once
#include "IniBackend.h"

// The Windows private-profile functions themselves.
class CWin32IniBackend : public IIniBackend {
public:
    bool ReadString(const std::string& file, const char* section, const char* key,
                    std::string& value) override;
    int ReadInt(const std::string& file, const char* section, const char* key,
                int defaultValue) override;
    bool HasSection(const std::string& file, const char* section) override;
    bool WriteString(const std::string& file, const char* section, const char* key,
                     const char* value) override;
    bool Flush(const std::string& file) override;
    bool RemoveFile(const std::string& file) override;
    bool MoveOver(const std::string& from, const std::string& to) override;
};
