#include "PortableIniBackend.h"

#include "FileSystem.h"
#include "ProfileText.h"
#include "StringUtil.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

// The platform also trims vertical tabs, form feeds and the DOS end-of-file
// mark around names and values.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string Trim(const std::string& text, size_t begin, size_t end) {
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

// Names asked for are trimmed as the names in the file are.
std::string TrimmedName(const char* name) {
    const std::string text(name);
    return Trim(text, 0, text.size());
}

// Names compare as C strings (the platform stops at a NUL byte) ignoring
// the case of single-byte letters, never of a double-byte character's bytes.
bool EqualNoCase(const std::string& a, const char* b) { return MbsICmp(a.c_str(), b) == 0; }

// The same comparison as a lookup key: two names are equal ignoring case
// exactly when their folded forms are equal.
std::string FoldedName(const char* name) { return MbsLower(name); }

// "[name]" with blanks allowed around; the name runs to the last "]" of
// the line, as the platform reads "[a]b]" as the section "a]b".
bool SectionName(const std::string& line, std::string& name) {
    size_t begin = 0;
    while (begin < line.size() && IsBlank(line[begin])) {
        ++begin;
    }
    if (begin >= line.size() || line[begin] != '[') {
        return false;
    }
    const size_t close = line.rfind(']');
    if (close == std::string::npos || close <= begin) {
        return false;
    }
    name = Trim(line, begin + 1, close);
    return true;
}

bool ReadWholeFile(const std::string& file, std::string& content) {
    FILE* stream = std::fopen(file.c_str(), "rb");
    if (stream == nullptr) {
        return false;
    }
    char buffer[65536];
    size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, stream)) > 0) {
        content.append(buffer, count);
    }
    const bool ok = !std::ferror(stream);
    std::fclose(stream);
    return ok;
}

// Any of CR LF, LF and a lone CR ends a line.
std::vector<std::string> SplitLines(const std::string& content) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\r' || content[i] == '\n') {
            lines.push_back(content.substr(start, i - start));
            if (content[i] == '\r' && i + 1 < content.size() && content[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < content.size()) {
        lines.push_back(content.substr(start));
    }
    return lines;
}

// Integer text as the platform reads it: it looks at no more than the
// first 29 characters of the value; then leading blanks, an optional sign,
// an optional lower-case 0x/0o/0b prefix, and digits up to the first other
// character, wrapping around modulo 2^32. No digit at all gives 0.
int ParseProfileInt(const std::string& value) {
    const std::string text = value.substr(0, 29);
    size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < text.size() && text[i] == '0') {
        const char prefix = text[i + 1];
        if (prefix == 'x') base = 16;
        if (prefix == 'o') base = 8;
        if (prefix == 'b') base = 2;
        if (base != 10) i += 2;
    }
    std::uint32_t result = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
        else break;
        if (digit >= base) break;
        result = result * base + digit;
    }
    if (negative) {
        result = 0u - result;
    }
    int number;
    std::memcpy(&number, &result, sizeof number);
    return number;
}

} // namespace

CPortableIniBackend::~CPortableIniBackend() {
    if (m_dirty) {
        WriteOut();
    }
}

bool CPortableIniBackend::Select(const std::string& file) {
    if (m_loaded && file == m_file) {
        return true;
    }
    if (m_dirty && !WriteOut()) {
        return false;
    }
    m_file = file;
    m_lines.clear();
    m_dirty = false;
    m_loaded = true;
    std::string content;
    if (ReadWholeFile(file, content)) {
        m_lines = SplitLines(ProfileTextToAnsi(content));
    }
    IndexSections();
    return true;
}

void CPortableIniBackend::IndexSections() {
    m_sectionLines.clear();
    m_firstSection.clear();
    for (size_t i = 0; i < m_lines.size(); ++i) {
        IndexSectionLine(i);
    }
}

// Adds the line to the index when it is a section line; lines are indexed
// in file order, so an earlier section of the same name stays the first.
void CPortableIniBackend::IndexSectionLine(size_t line) {
    std::string name;
    if (SectionName(m_lines[line], name)) {
        m_firstSection.emplace(FoldedName(name.c_str()), m_sectionLines.size());
        m_sectionLines.push_back(line);
    }
}

bool CPortableIniBackend::FirstSection(const char* section, size_t& ordinal, size_t& begin,
                                       size_t& end) const {
    const auto found = m_firstSection.find(FoldedName(TrimmedName(section).c_str()));
    if (found == m_firstSection.end()) {
        return false;
    }
    ordinal = found->second;
    begin = m_sectionLines[ordinal] + 1;
    end = ordinal + 1 < m_sectionLines.size() ? m_sectionLines[ordinal + 1] : m_lines.size();
    return true;
}

bool CPortableIniBackend::WriteOut() {
    std::string content;
    for (const std::string& line : m_lines) {
        content += line;
        content += "\r\n";
    }
    std::FILE* stream = nullptr;
    const FileTry opened = OpenFileForWriting(m_file, stream);
    m_failedOnLock = opened == FileTry::Locked;
    if (opened != FileTry::Done) {
        m_loaded = false;
        m_dirty = false;
        return false;
    }
    const bool ok = std::fwrite(content.data(), 1, content.size(), stream) == content.size() &&
                    SyncStream(stream);
    const bool closed = std::fclose(stream) == 0;
    m_dirty = false;
    if (!ok || !closed) {
        m_loaded = false;
    }
    return ok && closed;
}

bool CPortableIniBackend::FindKey(const char* section, const char* key, size_t& line,
                                  size_t& valueStart) const {
    size_t ordinal, begin, end;
    if (!FirstSection(section, ordinal, begin, end)) {
        return false;
    }
    const std::string wanted = TrimmedName(key);
    for (size_t i = begin; i < end; ++i) {
        const std::string& text = m_lines[i];
        const size_t equals = text.find('=');
        if (equals != std::string::npos && EqualNoCase(Trim(text, 0, equals), wanted.c_str())) {
            line = i;
            valueStart = equals + 1;
            return true;
        }
    }
    return false;
}

bool CPortableIniBackend::ReadString(const std::string& file, const char* section, const char* key,
                                     std::string& value) {
    size_t line, start;
    if (!Select(file) || !FindKey(section, key, line, start)) {
        return false;
    }
    const std::string& text = m_lines[line];
    const size_t end = text.find('\0', start);
    std::string found = Trim(text, start, end == std::string::npos ? text.size() : end);
    if (found.size() >= 2 && (found[0] == '"' || found[0] == '\'') &&
        found.back() == found[0]) {
        found = found.substr(1, found.size() - 2);
    }
    value = found;
    return true;
}

int CPortableIniBackend::ReadInt(const std::string& file, const char* section, const char* key,
                                 int defaultValue) {
    std::string text;
    if (!ReadString(file, section, key, text) || text.empty()) {
        return defaultValue;
    }
    return ParseProfileInt(text);
}

bool CPortableIniBackend::HasSection(const std::string& file, const char* section) {
    size_t ordinal, begin, end;
    if (!Select(file) || !FirstSection(section, ordinal, begin, end)) {
        return false;
    }
    // The platform lists the named keys of a section, but neither a
    // comment line nor a line without "=".
    for (size_t i = begin; i < end; ++i) {
        const std::string& text = m_lines[i];
        const size_t equals = text.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string name = Trim(text, 0, equals);
        if (!name.empty() && name[0] != ';' && name[0] != '\0') {
            return true;
        }
    }
    return false;
}

bool CPortableIniBackend::WriteString(const std::string& file, const char* section, const char* key,
                                      const char* value) {
    if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value) || !Select(file)) {
        return false;
    }
    const std::string line = TrimmedName(key) + "=" + value;
    std::string name;
    // A key that itself reads as a section line ("[a]=b") changes where the
    // sections are; the index is then built afresh.
    const bool lineIsSection = SectionName(line, name);
    size_t found, start, ordinal, begin, end;
    if (FindKey(section, key, found, start)) {
        m_lines[found] = line;
        if (lineIsSection) {
            IndexSections();
        }
    } else if (FirstSection(section, ordinal, begin, end)) {
        // After the last non-blank line of the first section of that name.
        size_t insertAt = begin;
        for (size_t i = begin; i < end; ++i) {
            if (!Trim(m_lines[i], 0, m_lines[i].size()).empty()) {
                insertAt = i + 1;
            }
        }
        m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
        if (lineIsSection) {
            IndexSections();
        } else {
            for (size_t later = ordinal + 1; later < m_sectionLines.size(); ++later) {
                ++m_sectionLines[later];
            }
        }
    } else {
        // A new section at the end of the file.
        m_lines.push_back("[" + TrimmedName(section) + "]");
        IndexSectionLine(m_lines.size() - 1);
        m_lines.push_back(line);
        IndexSectionLine(m_lines.size() - 1);
    }
    m_dirty = true;
    return true;
}

bool CPortableIniBackend::Flush(const std::string& file) {
    if (m_loaded && m_dirty && file == m_file) {
        return WriteOut();
    }
    return true;
}

bool CPortableIniBackend::RemoveFile(const std::string& file) {
    if (m_loaded && file == m_file) {
        m_loaded = false;
        m_dirty = false;
        m_lines.clear();
        IndexSections();
    }
    return std::remove(file.c_str()) == 0;
}

bool CPortableIniBackend::MoveOver(const std::string& from, const std::string& to) {
    if (!Flush(from)) {
        return false;
    }
    if (m_loaded && (m_file == from || m_file == to)) {
        if (m_dirty && m_file == to) {
            return false; // unsaved writes to the target would be lost
        }
        m_loaded = false;
        m_lines.clear();
        IndexSections();
    }
    const FileTry replaced = ReplaceFileAtomically(from, to);
    m_failedOnLock = replaced == FileTry::Locked;
    return replaced == FileTry::Done;
}
