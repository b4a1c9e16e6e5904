#pragma once
#include <windows.h>

#include <string>

// Test and demo only: the scripted device "Demo Keyboard" of tools/start.sh
// --demo, which no real driver has. Once its port is started it plays a
// short phrase in a loop into the receiving window, as a driver delivers
// short messages (MM_MIM_DATA, the port handle in wParam), until the port is
// stopped, reset or closed. Only a script that sets Demo=1 for a device
// gets it, so no test sees it by chance. It plays while the file `goFile`
// exists: the demo script creates it once the editor the phrase is typed
// into is in front, so that no key reaches another window first.
void StartDemoPhrase(HWND window, UINT_PTR portHandle, const std::string& goFile);
void StopDemoPhrase(UINT_PTR portHandle);
