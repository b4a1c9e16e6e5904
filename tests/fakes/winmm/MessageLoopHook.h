#pragma once
#include <string>

class FakeWinmmLog;

// Lets the tests see whether the program sleeps when nothing happens. The
// program's imports of SetTimer and KillTimer are logged at every call
// ("SetTimer hwnd=... id=... elapse=... result=...", "KillTimer hwnd=...
// id=... result=..."); when "Messages.watch" lies in `directory` as the
// program starts, every message its GetMessageA loops take is logged too
// ("GetMessageA message=... hwnd=... wParam=..."). The loops' GetMessageA
// also carries the tests' input requests (FakeDelivery.h). Called once from DllMain;
// `directory` ends in a backslash.
void HookMessageLoop(const FakeWinmmLog& log, const std::string& directory);
