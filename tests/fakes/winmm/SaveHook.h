#pragma once

class FakeWinmmLog;

// Points the program's import of MoveFileExA, the last step of every save of
// Config.ini (the new file takes the old one's place), at a wrapper that
// passes it on and logs "MoveFileExA to=... ms=... result=...". Called once
// from DllMain.
void HookSave(const FakeWinmmLog& log);
