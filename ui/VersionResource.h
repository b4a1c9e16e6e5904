#pragma once
#include <memory>
#include <string>

// The platform's reading of a file's version resource, behind which
// CVersionInfo does its look-ups (a fake in tests).
class IVersionResource {
public:
    virtual ~IVersionResource() = default;

    // Copies the version data of a file; false when it has none or it
    // cannot be read.
    virtual bool Load(const std::string& path) = 0;
    // Finds a sub-block of the loaded data, such as "\VarFileInfo\Translation"
    // or "\StringFileInfo\041104b0\FileVersion". For a string value, `data`
    // then points at its 8-bit text and `length` counts its characters.
    virtual bool Query(const std::string& subBlock, const void*& data, unsigned& length) = 0;
};

// The reader of this build's platform.
std::unique_ptr<IVersionResource> CreatePlatformVersionResource();
