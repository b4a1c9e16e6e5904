#include "PortableIniBackend.h"

IniBackend& PlatformIniBackend() {
    static PortableIniBackend backend;
    return backend;
}
