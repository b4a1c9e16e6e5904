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
// Made for one pass over a file that nobody else touches meanwhile (loading
// or saving the table): the file of the last access is kept parsed, read at
// its first access and not looked at again until it is written. Writes reach
// the disk at Flush, at RemoveFile/MoveOver and when another file is
// accessed.
class CPortableIniBackend : public IIniBackend {
public:
    ~CPortableIniBackend() override;

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
    bool FailedOnLock() const override { return m_failedOnLock; }

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

    std::string m_file;
    bool m_loaded = false;
    bool m_dirty = false;
    bool m_failedOnLock = false;
    std::vector<std::string> m_lines;
    std::vector<size_t> m_sectionLines;                      // every section line, in order
    std::unordered_map<std::string, size_t> m_firstSection;  // folded name -> its first one
};
