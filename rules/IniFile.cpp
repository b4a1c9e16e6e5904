#include "IniFile.h"

#include "IniBackend.h"
#include "StringUtil.h"

namespace {

const char* SectionOrGeneral(const char* section) {
    return (section == nullptr || section[0] == '\0') ? "General" : section;
}

const char kLineBreak[] = "\r\n";
const char kEscapedLineBreak[] = "___LF___";

std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to) {
    std::string result;
    size_t start = 0;
    for (size_t found; (found = text.find(from, start)) != std::string::npos;) {
        result.append(text, start, found - start);
        result += to;
        start = found + from.size();
    }
    result.append(text, start, std::string::npos);
    return result;
}

// Reading a value drops the blanks around it and then one pair of matching
// quotes enclosing it, so such a value would not come back as it was saved
// (a path or device name with a trailing blank, or one in quotes, would lose
// them at every save and load). Written in double quotes it reads back
// exactly; every other value is written as it is.
bool ReadsBackAltered(const std::string& value) {
    if (value.empty()) {
        return false;
    }
    const auto blank = [](char c) {
        return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
    };
    const char first = value.front();
    return blank(first) || blank(value.back()) ||
           (value.size() >= 2 && (first == '"' || first == '\'') && value.back() == first);
}

} // namespace

CIniFile::CIniFile(const std::string& path, IIniBackend& backend)
    : m_path(path), m_backend(backend) {}

std::string CIniFile::GetString(const char* section, const char* key, const char* defaultValue,
                                bool escapeLineBreaks) {
    std::string value;
    if (!m_backend.ReadString(m_path, SectionOrGeneral(section), key, value)) {
        value = defaultValue != nullptr ? defaultValue : "";
    }
    if (escapeLineBreaks) {
        value = ReplaceAll(value, kEscapedLineBreak, kLineBreak);
    }
    return value;
}

bool CIniFile::WriteString(const char* section, const char* key, const char* value,
                           bool escapeLineBreaks) {
    std::string text = value != nullptr ? value : "";
    if (escapeLineBreaks) {
        text = ReplaceAll(text, kLineBreak, kEscapedLineBreak);
    }
    if (ReadsBackAltered(text)) {
        text = '"' + text + '"';
    }
    const bool written = m_backend.WriteString(m_path, SectionOrGeneral(section), key, text.c_str());
    if (!written) {
        m_writeFailed = true;
    }
    return written;
}

int CIniFile::GetInt(const char* section, const char* key, int defaultValue) {
    return m_backend.ReadInt(m_path, SectionOrGeneral(section), key, defaultValue);
}

bool CIniFile::WriteInt(const char* section, const char* key, int value) {
    return WriteString(section, key, Format("%d", value).c_str(), false);
}

void CIniFile::ExchangeByte(bool save, const char* section, const char* key,
                            std::uint8_t& value) {
    if (save) {
        WriteInt(section, key, value);
    } else {
        value = static_cast<std::uint8_t>(GetInt(section, key, value) & 0xFF);
    }
}

void CIniFile::ExchangeString(bool save, const char* section, const char* key,
                              std::string& value, bool escapeLineBreaks) {
    if (save) {
        WriteString(section, key, value.c_str(), escapeLineBreaks);
    } else {
        value = GetString(section, key, value.c_str(), escapeLineBreaks);
    }
}

bool CIniFile::Delete() { return m_backend.RemoveFile(m_path); }

bool CIniFile::HasSection(const char* section) {
    return m_backend.HasSection(m_path, SectionOrGeneral(section));
}
