#include "SingleInstance.h"
#include "SorbelquintaroApp.h"

#include <windows.h>

CSorbelquintaroApp theApp;

namespace {
// Long enough for a first copy that is still starting to show its window.
constexpr unsigned kFirstCopyTimeoutMs = 10000;
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // Before anything is loaded: a second copy touches neither Config.ini
    // nor the device nor the tray.
    const CSingleInstance singleInstance;
    if (!singleInstance.IsFirst()) {
        return CSingleInstance::ShowFirst(kFirstCopyTimeoutMs) ? 0 : 1;
    }
    return RunApplication(instance);
}
