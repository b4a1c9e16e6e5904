#pragma once
// Whole files as bytes or lines, for tests that prepare or inspect files.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

// Narrow paths in the ANSI code page on Windows, as the program uses them.
inline bool FileExists(const std::string& path) {
#ifdef _WIN32
    return _access(path.c_str(), 0) == 0;
#else
    return access(path.c_str(), F_OK) == 0;
#endif
}

// The whole file; empty when it cannot be read.
inline std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

// The lines of a text, without their line ends (LF or CR LF).
inline std::vector<std::string> TextLines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream text(bytes);
    std::string line;
    while (std::getline(text, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

inline std::vector<std::string> ReadLines(const std::string& path) {
    return TextLines(ReadFileBytes(path));
}

// The lines of a text with the blank ones left out.
inline std::vector<std::string> NonBlankLines(const std::string& bytes) {
    std::vector<std::string> kept;
    for (std::string& line : TextLines(bytes)) {
        if (!line.empty()) {
            kept.push_back(std::move(line));
        }
    }
    return kept;
}
