#pragma once
#include <windows.h>

// The scale a window is drawn at, as dots per inch: its monitor's in a
// program aware of each monitor's scale, the system's otherwise.
UINT WindowDpi(HWND window);

// GetSystemMetrics as at that scale (icon sizes, scroll-bar widths).
int SystemMetricForDpi(int index, UINT dpi);
