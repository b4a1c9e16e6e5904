#include "PortableIniBackend.h"

// TODO: placeholder until the file implementation lands.
bool PortableIniBackend::ReadString(const std::string&, const char*, const char*, std::string&) {
    return false;
}
int PortableIniBackend::ReadInt(const std::string&, const char*, const char*, int d) { return d; }
bool PortableIniBackend::WriteString(const std::string&, const char*, const char*, const char*) {
    return false;
}
bool PortableIniBackend::Flush(const std::string&) { return false; }
bool PortableIniBackend::DeleteFile(const std::string&) { return false; }
bool PortableIniBackend::ReplaceFile(const std::string&, const std::string&) { return false; }
