#include "SorbelquintaroApp.h"

#include <windows.h>

CSorbelquintaroApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return RunApplication(instance); }
