#pragma once
#include "IniBackend.h"

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// INI files read and written by this program itself, with the observable
// behaviour of the Windows private-profile functions on what this program
// writes: bytes kept as they are, CR LF line ends, keys and sections added in
// write order, in-place replacement, names compared ignoring ASCII case.
//
// Files with a byte-order mark (UTF-8, UTF-16) read as the platform reads
// them, converted to the ANSI code page; writing always writes that code page.
//
// Like the platform's own profile cache, the file of the last access is kept
// parsed; writes reach the disk at Flush, at RemoveFile/MoveOver and when
// another file is accessed. Reads of a file changed behind our back re-parse,
// unless the backend was made for one pass over a file that nobody else
// touches meanwhile (loading or saving the table): it then reads the file
// once and never looks at it again until it writes it.
class PortableIniBackend : public IniBackend {
public:
    enum class Watch { OutsideChanges, Nothing };

    explicit PortableIniBackend(Watch watch = Watch::OutsideChanges) : m_watch(watch) {}
    ~PortableIniBackend() override;

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

private:
    bool Select(const std::string& file);
    bool WriteOut();
    bool FindKey(const char* section, const char* key, size_t& line, size_t& valueStart) const;

    // Only the first section of a name counts, and it runs to the next
    // section line of any name. Looking it up through an index keeps every
    // read and write proportional to that section, not to the file: a
    // table of a thousand rules is a file of some fourteen thousand lines.
    bool FirstSection(const char* section, size_t& ordinal, size_t& begin, size_t& end) const;
    void IndexSections();
    void IndexSectionLine(size_t line);

    const Watch m_watch;
    std::string m_file;
    bool m_loaded = false;
    bool m_exists = false;
    bool m_dirty = false;
    long long m_stamp[2] = {0, 0};
    std::vector<std::string> m_lines;
    std::vector<size_t> m_sectionLines;                      // every section line, in order
    std::unordered_map<std::string, size_t> m_firstSection;  // folded name -> its first one
};
