#pragma once
// Resource ids of the MIDI monitor (template 140). Shared by its template and
// its dialog class.

#define IDD_MONITOR_DIALOG 140

#define IDC_MONITOR_LIST 1202
#define IDC_MONITOR_COPY 1203
#define IDC_MONITOR_CLEAR 1204
