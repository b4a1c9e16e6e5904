#pragma once
#include "IniBackend.h"

// Passes everything on to a real backend but fails the chosen step: the
// n-th write (counting from 1; 0 = none), the flush or the replace.
class FailingIniBackend : public IIniBackend {
public:
    FailingIniBackend(IIniBackend& inner, int failWrite, bool failFlush, bool failReplace)
        : m_inner(inner), m_failWrite(failWrite), m_failFlush(failFlush),
          m_failReplace(failReplace) {}

    bool ReadString(const std::string& f, const char* s, const char* k, std::string& v) override {
        return m_inner.ReadString(f, s, k, v);
    }
    int ReadInt(const std::string& f, const char* s, const char* k, int d) override {
        return m_inner.ReadInt(f, s, k, d);
    }
    bool HasSection(const std::string& f, const char* s) override {
        return m_inner.HasSection(f, s);
    }
    bool WriteString(const std::string& f, const char* s, const char* k, const char* v) override {
        if (++m_writes == m_failWrite) {
            return false;
        }
        return m_inner.WriteString(f, s, k, v);
    }
    bool Flush(const std::string& f) override { return !m_failFlush && m_inner.Flush(f); }
    bool RemoveFile(const std::string& f) override { return m_inner.RemoveFile(f); }
    bool MoveOver(const std::string& from, const std::string& to) override {
        return !m_failReplace && m_inner.MoveOver(from, to);
    }

    int Writes() const { return m_writes; }

private:
    IIniBackend& m_inner;
    int m_writes = 0;
    int m_failWrite;
    bool m_failFlush;
    bool m_failReplace;
};
