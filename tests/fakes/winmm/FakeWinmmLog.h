#pragma once
#include <string>

// Appends one line per call to FakeWinmm.log beside the library. Each line is
// written through at once, so a test reads it while the program still runs
// and nothing is lost when the program is killed.
class FakeWinmmLog {
public:
    explicit FakeWinmmLog(const std::string& path) : m_path(path) {}

    // "pid=<id> " is put in front of the line.
    void Write(const std::string& line) const;

private:
    std::string m_path;
};

std::string Hex(unsigned long long value);
