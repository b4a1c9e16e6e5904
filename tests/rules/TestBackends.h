#pragma once
// The settings backends a test can run against: the portable one in every
// build, and in the Windows build (under Wine) the platform's own.
#include "IniBackend.h"
#include "PortableIniBackend.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#ifdef _WIN32
#include "Win32IniBackend.h"
#endif

enum class Backend { Portable, Platform };

inline std::vector<Backend> AllBackends() {
#ifdef _WIN32
    return {Backend::Portable, Backend::Platform};
#else
    return {Backend::Portable};
#endif
}

inline std::unique_ptr<IIniBackend> MakeBackend(Backend kind) {
#ifdef _WIN32
    if (kind == Backend::Platform) {
        return std::make_unique<CWin32IniBackend>();
    }
#endif
    (void)kind;
    return std::make_unique<CPortableIniBackend>();
}

inline std::string BackendName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Portable ? "Portable" : "Platform";
}
