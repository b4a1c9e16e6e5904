#pragma once
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <system_error>

// A fresh, empty directory under the system's temporary directory for one
// test, removed with everything in it when the object goes (kept when
// SQ_E2E_KEEP is set, to look at after a failure).
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "sq-test") {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        if (error) {
            return;
        }
        static std::atomic<unsigned> counter{0};
        // Test processes run side by side: the random part keeps them apart.
        const unsigned process = std::random_device{}();
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
            const std::filesystem::path candidate =
                base / (prefix + "-" + std::to_string(process) + "-" + std::to_string(counter++) +
                        "-" + std::to_string(now % 100000));
            if (std::filesystem::create_directory(candidate, error)) {
                m_path = candidate;
                return;
            }
        }
    }
    ~TempDir() {
        if (m_path.empty() || std::getenv("SQ_E2E_KEEP") != nullptr) {
            return;
        }
        std::error_code ignored;
        // Windows deletes no read-only file, and a test may leave one behind.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_path, ignored)) {
            std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add, ignored);
        }
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    bool IsValid() const { return !m_path.empty(); }
    // Ends in a path separator.
    std::string Path() const { return (m_path / "").string(); }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};
