#pragma once
#include <string>

// The private-profile operations that the settings file needs. The program
// uses a file implementation of ours on every platform; on Windows the
// platform's own functions implement it too, as the reference that tests
// hold ours against.
class IIniBackend {
public:
    virtual ~IIniBackend() = default;

    // The whole value of a key, however long. False when the file, the
    // section or the key is missing (value untouched then).
    virtual bool ReadString(const std::string& file, const char* section, const char* key,
                            std::string& value) = 0;
    // The key's value read as an integer, or `defaultValue` when missing.
    virtual int ReadInt(const std::string& file, const char* section, const char* key,
                        int defaultValue) = 0;
    // True when the section holds at least one key line; when false, no
    // read of a key of that section can succeed.
    virtual bool HasSection(const std::string& file, const char* section) = 0;
    // Sets the key, creating the file and the section as needed. Refuses
    // (false, file untouched) a name or value with a CR or LF in it: the
    // line break would end the line early and the rest would be read as
    // lines of their own.
    virtual bool WriteString(const std::string& file, const char* section, const char* key,
                             const char* value) = 0;
    // Makes sure everything written to `file` has reached the disk.
    virtual bool Flush(const std::string& file) = 0;
    virtual bool RemoveFile(const std::string& file) = 0;
    // Replaces `to` with `from` in one step (or leaves both as they were).
    virtual bool MoveOver(const std::string& from, const std::string& to) = 0;
    // True when the last Flush or MoveOver that failed did so only because
    // another program held the file for a moment: a later try may work.
    // Neither waits for that itself.
    virtual bool FailedOnLock() const { return false; }
};

// True when `text` holds a CR or an LF, which no name or value may.
inline bool HasLineBreak(const char* text) {
    for (; *text != '\0'; ++text) {
        if (*text == '\r' || *text == '\n') {
            return true;
        }
    }
    return false;
}
