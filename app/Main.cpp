#include "SingleInstance.h"
#include "SorbelquintaroApp.h"

#include <windows.h>

CSorbelquintaroApp theApp;

namespace {
// Long enough for a first copy that is still starting to be found, short
// enough that a user who started us sees an answer at once.
constexpr unsigned kFirstCopyTimeoutMs = 1000;
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Every library loaded from now on, by this program or by the system's
    // libraries on its behalf, comes from the system folder only, never
    // from the program's folder or the current one, where a file of that
    // name may have been planted. Should the system refuse, the search order
    // stays the default one; the program works the same.
    ::SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Before anything is loaded: a second copy touches neither Config.ini
    // nor the device nor the tray.
    const CSingleInstance singleInstance;
    if (!singleInstance.IsFirst()) {
        return CSingleInstance::ShowFirst(kFirstCopyTimeoutMs) ? 0 : 1;
    }
    return RunApplication(instance);
}
