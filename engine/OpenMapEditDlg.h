#pragma once

class CMapEditDlg;

// The rule editor while one exists, null otherwise. While it is set, MIDI
// input performs no actions.
extern CMapEditDlg* g_pOpenMapEditDlg;
