#pragma once
#include <string>

// A fresh, empty directory under the system's temporary directory, removed
// with everything in it when the object goes (kept when SQ_E2E_KEEP is set,
// to look at after a failure).
class TempDirectory {
public:
    explicit TempDirectory(const std::string& prefix = "sq-e2e");
    ~TempDirectory();

    TempDirectory(const TempDirectory&) = delete;
    TempDirectory& operator=(const TempDirectory&) = delete;

    bool IsValid() const { return !m_path.empty(); }
    // Ends in a backslash.
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

// Deletes a directory tree, clearing read-only attributes on the way.
bool RemoveDirectoryTree(const std::string& path);
