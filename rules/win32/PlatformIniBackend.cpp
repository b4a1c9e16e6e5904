#include "PortableIniBackend.h"

// The platform's own profile functions go to the file at every call (and
// under Wine rewrite it at every write); Win32IniBackend stays as the
// reference the tests compare this one against.
IniBackend& PlatformIniBackend() {
    static PortableIniBackend backend;
    return backend;
}
