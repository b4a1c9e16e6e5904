#include "Win32IniBackend.h"

IniBackend& PlatformIniBackend() {
    static Win32IniBackend backend;
    return backend;
}
