#pragma once
#include <windows.h>

class FakeWinmmLog;
class FakeWinmmScript;

// Points the program's import of Shell_NotifyIconA at a wrapper that writes
// one log line per call: "Shell_NotifyIconA message=<NIM_*> size=<cbSize>
// flags=<uFlags>", then "tip=..." when NIF_TIP is set and "infoflags=...
// title=... info=..." when NIF_INFO is, texts with blanks and other
// separators as %XX; last "ms=" (how long the shell took) and "result=".
// The first NIM_ADD calls fail as many times as the script's [Tray] FailAdds
// says. Called once from DllMain.
void HookTrayIcon(const FakeWinmmLog& log, const FakeWinmmScript& script);
