// The image's load configuration, read by the system's loader. Its one
// field that matters here: the libraries this program imports are looked
// for in the system folder only, never in the program's own folder first
// (Windows 10 1607 and later; IMAGE_LOAD_CONFIG_DIRECTORY, DependentLoadFlags).
// A Downloads folder may hold a planted winmm.dll or wtsapi32.dll beside the
// program; neither is one of the system's known libraries, which alone the
// loader always takes from the system folder.
#include <windows.h>

#include <cstddef>
#include <cstdint>

namespace {

// The 64-bit layout up to the structured exception fields, the size older
// linkers wrote (0x70 bytes); the loader reads the fields that fit in Size.
struct LoadConfigDirectory64 {
    std::uint32_t Size;
    std::uint32_t TimeDateStamp;
    std::uint16_t MajorVersion;
    std::uint16_t MinorVersion;
    std::uint32_t GlobalFlagsClear;
    std::uint32_t GlobalFlagsSet;
    std::uint32_t CriticalSectionDefaultTimeout;
    std::uint64_t DeCommitFreeBlockThreshold;
    std::uint64_t DeCommitTotalFreeThreshold;
    std::uint64_t LockPrefixTable;
    std::uint64_t MaximumAllocationSize;
    std::uint64_t VirtualMemoryThreshold;
    std::uint64_t ProcessAffinityMask;
    std::uint32_t ProcessHeapFlags;
    std::uint16_t CSDVersion;
    std::uint16_t DependentLoadFlags;
    std::uint64_t EditList;
    std::uint64_t SecurityCookie;
    std::uint64_t SEHandlerTable;
    std::uint64_t SEHandlerCount;
};
static_assert(offsetof(LoadConfigDirectory64, DependentLoadFlags) == 78, "the loader's layout");
static_assert(sizeof(LoadConfigDirectory64) == 0x70, "the loader's layout");

} // namespace

// The linker points the image's load configuration entry at this symbol.
extern "C" const LoadConfigDirectory64 _load_config_used = {
    sizeof(LoadConfigDirectory64), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    LOAD_LIBRARY_SEARCH_SYSTEM32, 0, 0, 0, 0};
