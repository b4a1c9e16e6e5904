#pragma once
#include <cstddef>
#include <string>

// Appends one line per call to FakeWinmm.log beside the library. Each line is
// written through at once, so a test reads it while the program still runs
// and nothing is lost when the program is killed.
class FakeWinmmLog {
public:
    explicit FakeWinmmLog(const std::string& path) : m_path(path) {}

    // "pid=<id> t=<LogClockMs()> " is put in front of the line.
    void Write(const std::string& line) const;

private:
    std::string m_path;
};

std::string Hex(unsigned long long value);
// Blanks and other bytes that would split a log field are written as %XX;
// at most `size` bytes, up to the first zero.
std::string Escaped(const char* text, std::size_t size);
// Milliseconds of the performance counter, which every process of the
// machine reads alike: log times compare with a test's own readings.
double LogClockMs();
// A duration in milliseconds as a log field value.
std::string Ms(double milliseconds);
